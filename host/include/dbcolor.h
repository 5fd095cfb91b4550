// Entity colours: AcCmEntityColor (method plus index or RGB) and AcCmColor (the same with a name), and the colour index palette.
#pragma once

#include <memory>
#include <string>

#include "acadstrc.h"
#include "adesk.h"

class AcDbDwgFiler;

// A colour is ByLayer, ByBlock, an index of the 256-colour palette (1..255), or a true RGB colour.
// The index 256 stands for ByLayer and 0 for ByBlock, as in DXF group 62.
class AcCmEntityColor {
public:
    enum Color {
        kRed = 0,
        kGreen = 1,
        kBlue = 2,
    };
    enum ColorMethod {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kByPen = 0xC4,
        kForeground = 0xC5,
        kLayerOff = 0xC6,
        kLayerFrozen = 0xC7,
        kNone = 0xC8,
    };
    enum ACIcolorMethod {
        kACIbyBlock = 0,
        kACIforeground = 7,
        kACIbyLayer = 256,
        kACIclear = 0,
        kACIRed = 1,
        kACIYellow = 2,
        kACIGreen = 3,
        kACICyan = 4,
        kACIBlue = 5,
        kACIMagenta = 6,
        kACIWhite = 7,
        kACIstandard = 7,
        kACImaximum = 255,
        kACInone = 257,
        kACIminimum = -255,
    };

    AcCmEntityColor() = default;  // ByLayer
    explicit AcCmEntityColor(ColorMethod method);
    AcCmEntityColor(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);

    Acad::ErrorStatus setColorMethod(ColorMethod method);
    ColorMethod colorMethod() const { return m_method; }

    // 0 gives ByBlock, 256 ByLayer, 1..255 an index; anything else answers eInvalidInput.
    Acad::ErrorStatus setColorIndex(Adesk::Int16 colorIndex);
    // The index: 256 for ByLayer, 0 for ByBlock, the nearest palette entry for an RGB colour.
    Adesk::Int16 colorIndex() const;

    Acad::ErrorStatus setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);
    Adesk::UInt8 red() const;
    Adesk::UInt8 green() const;
    Adesk::UInt8 blue() const;

    // The packed form: method in the top byte, then the index or red, green, blue.
    Adesk::UInt32 color() const;
    Acad::ErrorStatus setColor(Adesk::UInt32 color);

    bool isByLayer() const { return m_method == kByLayer; }
    bool isByBlock() const { return m_method == kByBlock; }
    bool isByColor() const { return m_method == kByColor; }
    bool isByACI() const { return m_method == kByACI; }
    bool isForeground() const { return m_method == kForeground; }
    bool isNone() const { return m_method == kNone; }

    bool operator==(const AcCmEntityColor& c) const;
    bool operator!=(const AcCmEntityColor& c) const { return !(*this == c); }

    // The RGB value of a palette index (1..255), packed as 0x00RRGGBB; 0 and 256 give white.
    static Adesk::UInt32 lookUpRGB(Adesk::UInt8 colorIndex);
    // The palette index (1..255) nearest to an RGB colour.
    static Adesk::UInt8 lookUpACI(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue);

private:
    ColorMethod m_method = kByLayer;
    Adesk::Int16 m_index = 256;
    Adesk::UInt8 m_red = 0;
    Adesk::UInt8 m_green = 0;
    Adesk::UInt8 m_blue = 0;
};

class AcCmColor {
public:
    AcCmColor() = default;  // ByLayer
    AcCmColor(const AcCmEntityColor& color) : m_color(color) {}  // NOLINT
    AcCmColor(const AcCmColor& other);
    AcCmColor(AcCmColor&& other) noexcept = default;
    AcCmColor& operator=(const AcCmColor& other);
    AcCmColor& operator=(AcCmColor&& other) noexcept = default;
    ~AcCmColor();

    AcCmEntityColor::ColorMethod colorMethod() const { return m_color.colorMethod(); }
    Acad::ErrorStatus setColorMethod(AcCmEntityColor::ColorMethod method) { return m_color.setColorMethod(method); }

    bool isByColor() const { return m_color.isByColor(); }
    bool isByLayer() const { return m_color.isByLayer(); }
    bool isByBlock() const { return m_color.isByBlock(); }
    bool isByACI() const { return m_color.isByACI(); }
    bool isForeground() const { return m_color.isForeground(); }
    bool isNone() const { return m_color.isNone(); }

    Adesk::UInt32 color() const { return m_color.color(); }
    Acad::ErrorStatus setColor(Adesk::UInt32 color) { return m_color.setColor(color); }
    Acad::ErrorStatus setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
    {
        return m_color.setRGB(red, green, blue);
    }
    Adesk::UInt8 red() const { return m_color.red(); }
    Adesk::UInt8 green() const { return m_color.green(); }
    Adesk::UInt8 blue() const { return m_color.blue(); }

    Adesk::UInt16 colorIndex() const { return static_cast<Adesk::UInt16>(m_color.colorIndex()); }
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 colorIndex)
    {
        return m_color.setColorIndex(static_cast<Adesk::Int16>(colorIndex));
    }

    // Colour-book names, kept and filed with the colour.
    Acad::ErrorStatus setNames(const ACHAR* colorName, const ACHAR* bookName = nullptr);
    const ACHAR* colorName() const { return m_names ? m_names->color.c_str() : ACRX_T(""); }
    const ACHAR* bookName() const { return m_names ? m_names->book.c_str() : ACRX_T(""); }
    bool hasColorName() const { return m_names && !m_names->color.empty(); }
    bool hasBookName() const { return m_names && !m_names->book.empty(); }

    const AcCmEntityColor& entityColor() const { return m_color; }

    bool operator==(const AcCmColor& c) const;
    bool operator!=(const AcCmColor& c) const { return !(*this == c); }

    Acad::ErrorStatus dwgOut(AcDbDwgFiler* pOutputFiler) const;
    Acad::ErrorStatus dwgIn(AcDbDwgFiler* pInputFiler);

private:
    struct BookNames {
        std::wstring color;
        std::wstring book;
    };

    AcCmEntityColor m_color;
    // Colour-book names are rare and every entity holds a colour: they are kept apart, when given.
    std::unique_ptr<BookNames> m_names;
};
