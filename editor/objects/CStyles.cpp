#include "editor/objects/CStyles.h"

#include <algorithm>
#include <system_error>

#include "editor/objects/CProgramFolder.h"

namespace {

CThemeProvider* g_provider = nullptr;

bool isThemeLibrary(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    return name.size() > CStyles::kLibraryPrefix.size() + CStyles::kLibraryExtension.size()
        && name.starts_with(CStyles::kLibraryPrefix) && name.ends_with(CStyles::kLibraryExtension);
}

} // namespace

CThemeProvider& CThemeProvider::Get()
{
    return g_provider ? *g_provider : CStyles::Get();
}

void CThemeProvider::Set(CThemeProvider* provider)
{
    g_provider = provider;
}

CStyles::~CStyles() = default;

CStyles& CStyles::Get()
{
    static CStyles styles;
    return styles;
}

int CStyles::Load()
{
    return Load(CProgramFolder::Styles());
}

int CStyles::Load(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> libraries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (isThemeLibrary(it->path()) && it->is_regular_file(error))
            libraries.push_back(it->path());
    std::sort(libraries.begin(), libraries.end(),
              [](const auto& a, const auto& b) { return a.filename() < b.filename(); });
    for (const std::filesystem::path& library : libraries)
        Add(library);
    return GetCount();
}

int CStyles::Reload(const std::filesystem::path& folder)
{
    Clear();
    return Load(folder);
}

CStyle* CStyles::Add(const std::filesystem::path& path)
{
    auto style = std::make_unique<CStyle>(path);
    if (style->GetName().empty())
        return nullptr;
    return m_styles.emplace_back(std::move(style)).get();
}

CStyle* CStyles::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_styles[std::size_t(index)].get() : nullptr;
}

CStyle* CStyles::FindStyle(std::u16string_view name) const
{
    return GetAt(FindStyleIndex(name));
}

int CStyles::FindStyleIndex(std::u16string_view name) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_styles[std::size_t(i)]->GetName() == name)
            return i;
    return -1;
}

std::u16string CStyles::FirstThemeName()
{
    return m_styles.empty() ? std::u16string() : m_styles.front()->GetName();
}
