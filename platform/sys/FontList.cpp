#include "platform/sys/FontList.h"

#include <algorithm>
#include <fontconfig/fontconfig.h>
#include <map>

namespace {

std::string patternString(FcPattern* pattern, const char* object)
{
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value)
        return {};
    return reinterpret_cast<const char*>(value);
}

int patternIndex(FcPattern* pattern)
{
    int index = 0;
    if (FcPatternGetInteger(pattern, FC_INDEX, 0, &index) != FcResultMatch)
        return 0;
    return index;
}

// The current configuration, referenced for the caller; null when fontconfig fails.
struct ConfigReference {
    FcConfig* config = FcConfigReference(nullptr);
    ~ConfigReference()
    {
        if (config)
            FcConfigDestroy(config);
    }
};

} // namespace

int FontList::installed(std::vector<File>& files)
{
    files.clear();
    ConfigReference reference;
    if (!reference.config)
        return 1;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_FAMILY, FC_STYLE, FC_INDEX, nullptr);
    FcFontSet* set = pattern && objects ? FcFontList(reference.config, pattern, objects) : nullptr;
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    if (!set)
        return 1;

    // One entry per file (fontconfig lists every face and named instance); the names
    // are those of the file's lowest face index. The map keeps them sorted by path.
    std::map<std::string, std::pair<int, File>> byPath;
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern* font = set->fonts[i];
        std::string path = patternString(font, FC_FILE);
        if (path.empty())
            continue;
        int index = patternIndex(font);
        auto found = byPath.find(path);
        if (found != byPath.end() && found->second.first <= index)
            continue;
        byPath[path] = {index, File{path, patternString(font, FC_FAMILY), patternString(font, FC_STYLE)}};
    }
    FcFontSetDestroy(set);

    files.reserve(byPath.size());
    for (auto& entry : byPath)
        files.push_back(std::move(entry.second.second));
    return 0;
}

std::string FontList::substituteFamily(const std::string& family)
{
    if (family.empty())
        return {};
    ConfigReference reference;
    if (!reference.config)
        return {};
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return {};
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(reference.config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(reference.config, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return {};
    std::string substitute = patternString(match, FC_FAMILY);
    FcPatternDestroy(match);
    return substitute;
}
