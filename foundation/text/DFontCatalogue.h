#pragma once
// The editor's font source: the faces of the installed font files, remembered between
// runs in the registry font cache so that only files not met before are opened.

#include <map>
#include <memory>
#include <string>

#include "foundation/text/DFontSource.h"
#include "foundation/text/DInstalledFonts.h"

class DFontCatalogue final : public DFontSource {
public:
    DFontCatalogue(); // the installed fonts as fontconfig lists them
    explicit DFontCatalogue(std::unique_ptr<DInstalledFonts> installed);

    // Prints "enumFonts"; loads the registry cache, then appends a descriptor for every
    // face of each installed file the list does not hold yet ("loaded: %s" each), and
    // drops faces whose file is gone. When the system cannot list its fonts the cached
    // faces stay as they are.
    void enumFonts(FT_Library library, DFontFaceList& faces) override;

    // First match over the list: exact name with equal bold and italic, exact name, file
    // name; then the system's substitute family by the same three rules; then the best
    // score of equal style and common name prefix. A bitmap-only face gives way to the
    // face of its name whose strike is nearest the requested size.
    const DFontFileDescriptor* findFace(const DTextDescriptor& request, const DFontFaceList& faces) override;

    // Rewrites the registry cache whole, so faces dropped since leave nothing behind.
    void saveFaces(const DFontFaceList& faces) override;

private:
    std::unique_ptr<DInstalledFonts> m_installed;
    std::map<std::u16string, std::u16string> m_substitutes; // asked once per family
};
