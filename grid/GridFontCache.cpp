#include "grid/GridFontCache.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

// The description as bytes, with whatever follows the face name's end cleared, so equal
// descriptions always give equal keys.
std::string FontKey(const LOGFONTA& lf)
{
    LOGFONTA clean = lf;
    const std::size_t nName = strnlen(clean.lfFaceName, LF_FACESIZE);
    std::memset(clean.lfFaceName + nName, 0, LF_FACESIZE - nName);
    return std::string(reinterpret_cast<const char*>(&clean), sizeof(clean));
}

} // namespace

CFont* GridFontFor(const LOGFONTA& lf)
{
    static std::map<std::string, std::unique_ptr<CFont>> fonts;
    std::unique_ptr<CFont>& font = fonts[FontKey(lf)];
    if (!font) {
        auto created = std::make_unique<CFont>();
        if (!created->CreateFontIndirect(&lf))
            return nullptr;
        font = std::move(created);
    }
    return font.get();
}
