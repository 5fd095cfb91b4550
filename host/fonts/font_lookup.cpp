// Finding font faces through fontconfig and loading them with FreeType, once per process.
#include "font_face.h"
#include "shx_substitutes.h"

#include <fontconfig/fontconfig.h>
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace kelvora {

namespace {

// Latin faces put their capitals at about 70 % of the em; used only for a face that states no
// cap height and has no 'H' to measure.
constexpr double kTypicalCapHeightRatio = 0.7;

// The built-in face's em, in its own font units; its cells are 0.6 em wide like a typical
// monospace face, its capitals kTypicalCapHeightRatio of the em.
constexpr double kBuiltInUnitsPerEm = 1000.0;

std::string toLower(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view baseNameOf(std::string_view path)
{
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// The extension of a file name, dot included ("" when there is none).
std::string_view extensionOf(std::string_view name)
{
    const std::string_view base = baseNameOf(name);
    const auto dot = base.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? std::string_view{} : base.substr(dot);
}

// Family names compare as fontconfig compares them: ignoring case and blanks.
std::string familyKey(std::string_view family)
{
    std::string out;
    for (char c : family) {
        if (c != ' ')
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    return out;
}

bool isOutlineFontFile(std::string_view lowerExtension)
{
    static constexpr std::array<std::string_view, 6> kExtensions{".ttf", ".otf", ".ttc", ".otc", ".pfb", ".pfa"};
    return std::find(kExtensions.begin(), kExtensions.end(), lowerExtension) != kExtensions.end();
}

std::optional<FaceClass> genericFaceClass(std::string_view family)
{
    if (family == "sans-serif" || family == "sans")
        return FaceClass::Sans;
    if (family == "serif")
        return FaceClass::Serif;
    if (family == "monospace" || family == "mono")
        return FaceClass::Mono;
    return std::nullopt;
}

double capHeightUnitsOf(FT_Face ft)
{
    // OS/2 tables from version 2 on state the cap height; DejaVu's older table does not, and
    // there the top of 'H' is the cap height by definition.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
    if (os2 != nullptr && os2->version >= 2 && os2->version != 0xFFFF && os2->sCapHeight > 0)
        return os2->sCapHeight;
    const FT_UInt h = FT_Get_Char_Index(ft, 'H');
    if (h != 0 && FT_Load_Glyph(ft, h, FT_LOAD_NO_SCALE | FT_LOAD_IGNORE_TRANSFORM) == 0 &&
        ft->glyph->metrics.horiBearingY > 0)
        return static_cast<double>(ft->glyph->metrics.horiBearingY);
    return kTypicalCapHeightRatio * ft->units_per_EM;
}

struct InstalledFile {
    std::string lowerBaseName;
    std::string path;
    int index = 0;
};

class FaceRegistry {
public:
    FaceRegistry()
    {
        if (FT_Init_FreeType(&m_library) != 0)
            m_library = nullptr;
        m_config = FcInitLoadConfigAndFonts();
    }

    ~FaceRegistry()
    {
        for (auto& [key, face] : m_faces) {
            if (face->ft != nullptr)
                FT_Done_Face(face->ft);
        }
        m_faces.clear();
        if (m_library != nullptr)
            FT_Done_FreeType(m_library);
        if (m_config != nullptr)
            FcConfigDestroy(m_config);
    }

    FaceRegistry(const FaceRegistry&) = delete;
    FaceRegistry& operator=(const FaceRegistry&) = delete;

    const FontFace* find(std::string_view request)
    {
        const std::string name(trimmed(request));
        const std::string key = toLower(name);
        if (const auto it = m_byRequest.find(key); it != m_byRequest.end())
            return it->second;
        const FontFace* face = resolve(name);
        if (face == nullptr)
            face = byClass(FaceClass::Sans);
        if (face == nullptr)
            face = builtIn();
        m_byRequest.emplace(key, face);
        return face;
    }

private:
    const FontFace* resolve(const std::string& name)
    {
        if (name.empty())
            return byClass(FaceClass::Sans);
        const std::string extension = toLower(extensionOf(name));
        const std::string_view stem = std::string_view(name).substr(0, name.size() - extension.size());
        if (extension == ".shx")
            return byClass(shxFaceClass(toLower(baseNameOf(stem))).value_or(FaceClass::Sans));
        if (isOutlineFontFile(extension)) {
            if (const FontFace* face = byFileName(name))
                return face;
            // A style naming a file this machine lacks ("arial.ttf") still gets its family's
            // look-alike where fontconfig knows one.
            return byFamily(baseNameOf(stem));
        }
        return byFamily(name);
    }

    const FontFace* byFileName(const std::string& name)
    {
        if (name.find('/') != std::string::npos) {
            if (const FontFace* face = load(name, 0, {}))
                return face;
        }
        const std::string wanted = toLower(baseNameOf(name));
        for (const InstalledFile& file : installedFiles()) {
            if (file.lowerBaseName == wanted)
                return load(file.path, file.index, {});
        }
        return nullptr;
    }

    // A family is taken when fontconfig finds it or one of its metric-compatible aliases (the
    // families bound strongly to the request). Otherwise the request falls back by kind: a
    // shape font's name to its look-alike, any other name to the generic family fontconfig
    // files it under (sans-serif for unknown names), so that "Courier New" stays monospaced.
    const FontFace* byFamily(std::string_view family)
    {
        if (m_config == nullptr)
            return nullptr;
        const std::string familyText(family);
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(familyText.c_str()));
        addRegularStyle(pattern);
        FcConfigSubstitute(m_config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);

        std::vector<std::string> strongFamilies;
        std::optional<FaceClass> generic;
        for (int k = 0;; ++k) {
            FcValue value;
            FcValueBinding binding = FcValueBindingWeak;
            if (FcPatternGetWithBinding(pattern, FC_FAMILY, k, &value, &binding) != FcResultMatch)
                break;
            if (value.type != FcTypeString)
                continue;
            const std::string_view name(reinterpret_cast<const char*>(value.u.s));
            if (binding == FcValueBindingStrong)
                strongFamilies.push_back(familyKey(name));
            if (!generic)
                generic = genericFaceClass(name);
        }

        const FontFace* face = nullptr;
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(m_config, pattern, &result)) {
            if (hasFamilyAmong(match, strongFamilies))
                face = loadMatch(match);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        if (face != nullptr)
            return face;
        if (const auto shapeClass = shxFaceClass(toLower(familyText)))
            return byClass(*shapeClass);
        return byClass(generic.value_or(FaceClass::Sans));
    }

    // The DejaVu face of each kind first, so that plots look the same on every machine that
    // has DejaVu whatever else is installed; fontconfig's choice for the generic family
    // otherwise.
    const FontFace* byClass(FaceClass faceClass)
    {
        const auto cached = m_byClass.find(faceClass);
        if (cached != m_byClass.end())
            return cached->second;
        const FontFace* face = nullptr;
        if (m_config != nullptr) {
            const auto [preferred, generic] = classFamilies(faceClass);
            FcPattern* pattern = FcPatternCreate();
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(preferred));
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
            addRegularStyle(pattern);
            FcConfigSubstitute(m_config, pattern, FcMatchPattern);
            FcDefaultSubstitute(pattern);
            FcResult result = FcResultNoMatch;
            if (FcPattern* match = FcFontMatch(m_config, pattern, &result)) {
                face = loadMatch(match);
                FcPatternDestroy(match);
            }
            FcPatternDestroy(pattern);
        }
        if (face == nullptr && faceClass != FaceClass::Sans)
            face = byClass(FaceClass::Sans);
        m_byClass.emplace(faceClass, face);
        return face;
    }

    static std::pair<const char*, const char*> classFamilies(FaceClass faceClass)
    {
        switch (faceClass) {
        case FaceClass::Serif:
            return {"DejaVu Serif", "serif"};
        case FaceClass::Mono:
            return {"DejaVu Sans Mono", "monospace"};
        case FaceClass::Sans:
            break;
        }
        return {"DejaVu Sans", "sans-serif"};
    }

    static void addRegularStyle(FcPattern* pattern)
    {
        FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
        FcPatternAddInteger(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    }

    static bool hasFamilyAmong(FcPattern* match, const std::vector<std::string>& families)
    {
        FcChar8* name = nullptr;
        for (int k = 0; FcPatternGetString(match, FC_FAMILY, k, &name) == FcResultMatch; ++k) {
            const std::string key = familyKey(reinterpret_cast<const char*>(name));
            if (std::find(families.begin(), families.end(), key) != families.end())
                return true;
        }
        return false;
    }

    const FontFace* loadMatch(FcPattern* match)
    {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch)
            return nullptr;
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) != FcResultMatch)
            index = 0;
        FcChar8* family = nullptr;
        std::string familyName;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
            familyName = reinterpret_cast<const char*>(family);
        return load(reinterpret_cast<const char*>(file), index, familyName);
    }

    const FontFace* load(const std::string& path, int index, const std::string& family)
    {
        const auto key = std::make_pair(path, index);
        if (const auto it = m_faces.find(key); it != m_faces.end())
            return it->second.get();
        if (m_library == nullptr)
            return nullptr;
        FT_Face ft = nullptr;
        if (FT_New_Face(m_library, path.c_str(), index, &ft) != 0)
            return nullptr;
        // Bitmap-only faces have no outlines to scale to an arbitrary text height.
        if (!FT_IS_SCALABLE(ft) || ft->units_per_EM == 0) {
            FT_Done_Face(ft);
            return nullptr;
        }
        auto face = std::make_unique<FontFace>();
        face->path = path;
        face->index = index;
        face->family = !family.empty() ? family : (ft->family_name != nullptr ? ft->family_name : "");
        face->ft = ft;
        face->unitsPerEm = ft->units_per_EM;
        face->capHeightUnits = capHeightUnitsOf(ft);
        face->hasKerning = FT_HAS_KERNING(ft);
        const FontFace* result = face.get();
        m_faces.emplace(key, std::move(face));
        return result;
    }

    const FontFace* builtIn()
    {
        if (!m_builtIn) {
            m_builtIn = std::make_unique<FontFace>();
            m_builtIn->family = "built-in cells";
            m_builtIn->unitsPerEm = kBuiltInUnitsPerEm;
            m_builtIn->capHeightUnits = kTypicalCapHeightRatio * kBuiltInUnitsPerEm;
        }
        return m_builtIn.get();
    }

    const std::vector<InstalledFile>& installedFiles()
    {
        if (m_files)
            return *m_files;
        m_files.emplace();
        if (m_config == nullptr)
            return *m_files;
        FcPattern* any = FcPatternCreate();
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, static_cast<char*>(nullptr));
        if (FcFontSet* set = FcFontList(m_config, any, objects)) {
            for (int i = 0; i < set->nfont; ++i) {
                FcChar8* file = nullptr;
                if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                    continue;
                int index = 0;
                if (FcPatternGetInteger(set->fonts[i], FC_INDEX, 0, &index) != FcResultMatch)
                    index = 0;
                const std::string path(reinterpret_cast<const char*>(file));
                m_files->push_back({toLower(baseNameOf(path)), path, index});
            }
            FcFontSetDestroy(set);
        }
        FcObjectSetDestroy(objects);
        FcPatternDestroy(any);
        // fontconfig lists in no promised order; sorting makes the first of two same-named
        // files the same on every run.
        std::sort(m_files->begin(), m_files->end(), [](const InstalledFile& a, const InstalledFile& b) {
            return std::tie(a.lowerBaseName, a.index, a.path) < std::tie(b.lowerBaseName, b.index, b.path);
        });
        return *m_files;
    }

    FT_Library m_library = nullptr;
    FcConfig* m_config = nullptr;
    std::map<std::string, const FontFace*> m_byRequest;
    std::map<FaceClass, const FontFace*> m_byClass;
    std::map<std::pair<std::string, int>, std::unique_ptr<FontFace>> m_faces;
    std::unique_ptr<FontFace> m_builtIn;
    std::optional<std::vector<InstalledFile>> m_files;
};

FaceRegistry& registry()
{
    static FaceRegistry instance;
    return instance;
}

}  // namespace

const FontFace* findFontFace(std::string_view fontFileUtf8)
{
    return registry().find(fontFileUtf8);
}

const char* fontFacePath(const FontFace* face)
{
    return face != nullptr ? face->path.c_str() : "";
}

int fontFaceIndex(const FontFace* face)
{
    return face != nullptr ? face->index : 0;
}

const char* fontFaceFamily(const FontFace* face)
{
    return face != nullptr ? face->family.c_str() : "";
}

}  // namespace kelvora
