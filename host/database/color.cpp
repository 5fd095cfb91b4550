// Colours: AcCmEntityColor (method with index or RGB), AcCmColor, and the 256-colour index palette.
#include <array>
#include <cmath>

#include "dbcolor.h"
#include "dbfiler.h"

namespace {

// The index palette: 1-9 fixed; 10-249 are 24 hues 15 degrees apart, ten shades each (five values,
// each at full and at half saturation); 250-255 greys.
std::array<Adesk::UInt32, 256> buildPalette()
{
    std::array<Adesk::UInt32, 256> p{};
    auto pack = [](int r, int g, int b) {
        return (static_cast<Adesk::UInt32>(r) << 16) | (static_cast<Adesk::UInt32>(g) << 8) |
               static_cast<Adesk::UInt32>(b);
    };
    p[0] = pack(255, 255, 255);
    p[1] = pack(255, 0, 0);
    p[2] = pack(255, 255, 0);
    p[3] = pack(0, 255, 0);
    p[4] = pack(0, 255, 255);
    p[5] = pack(0, 0, 255);
    p[6] = pack(255, 0, 255);
    p[7] = pack(255, 255, 255);
    p[8] = pack(128, 128, 128);
    p[9] = pack(192, 192, 192);
    const int values[5] = {255, 165, 127, 76, 38};
    for (int i = 10; i < 250; ++i) {
        double hue = ((i - 10) / 10) * 15.0;
        int shade = i % 10;
        double value = values[shade / 2] / 255.0;
        double saturation = (shade % 2 == 0) ? 1.0 : 0.5;
        // HSV to RGB.
        double h = hue / 60.0;
        int sector = static_cast<int>(h) % 6;
        double f = h - std::floor(h);
        double pv = value * (1.0 - saturation);
        double qv = value * (1.0 - saturation * f);
        double tv = value * (1.0 - saturation * (1.0 - f));
        double r = 0, g = 0, b = 0;
        switch (sector) {
        case 0: r = value; g = tv; b = pv; break;
        case 1: r = qv; g = value; b = pv; break;
        case 2: r = pv; g = value; b = tv; break;
        case 3: r = pv; g = qv; b = value; break;
        case 4: r = tv; g = pv; b = value; break;
        default: r = value; g = pv; b = qv; break;
        }
        p[static_cast<size_t>(i)] = pack(static_cast<int>(r * 255.0), static_cast<int>(g * 255.0),
                                         static_cast<int>(b * 255.0));
    }
    const int greys[6] = {51, 91, 132, 173, 214, 255};
    for (int k = 0; k < 6; ++k)
        p[static_cast<size_t>(250 + k)] = pack(greys[k], greys[k], greys[k]);
    return p;
}

const std::array<Adesk::UInt32, 256>& palette()
{
    static const std::array<Adesk::UInt32, 256> p = buildPalette();
    return p;
}

}  // namespace

// ----- AcCmEntityColor ----------------------------------------------------------------------------

AcCmEntityColor::AcCmEntityColor(ColorMethod method)
{
    setColorMethod(method);
}

AcCmEntityColor::AcCmEntityColor(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
{
    setRGB(red, green, blue);
}

Acad::ErrorStatus AcCmEntityColor::setColorMethod(ColorMethod method)
{
    switch (method) {
    case kByLayer:
        m_index = kACIbyLayer;
        break;
    case kByBlock:
        m_index = kACIbyBlock;
        break;
    case kForeground:
        m_index = kACIforeground;
        break;
    case kByACI:
        if (m_index < 1 || m_index > 255)
            m_index = kACIforeground;
        break;
    case kByColor:
    case kByPen:
    case kLayerOff:
    case kLayerFrozen:
    case kNone:
        break;
    default:
        return Acad::eInvalidInput;
    }
    m_method = method;
    return Acad::eOk;
}

Acad::ErrorStatus AcCmEntityColor::setColorIndex(Adesk::Int16 colorIndex)
{
    if (colorIndex == kACIbyLayer) {
        m_method = kByLayer;
    } else if (colorIndex == kACIbyBlock) {
        m_method = kByBlock;
    } else if (colorIndex >= 1 && colorIndex <= 255) {
        m_method = kByACI;
    } else {
        return Acad::eInvalidInput;
    }
    m_index = colorIndex;
    return Acad::eOk;
}

Adesk::Int16 AcCmEntityColor::colorIndex() const
{
    switch (m_method) {
    case kByLayer:
        return kACIbyLayer;
    case kByBlock:
        return kACIbyBlock;
    case kByColor:
        return lookUpACI(m_red, m_green, m_blue);
    case kForeground:
        return kACIforeground;
    case kNone:
        return kACInone;
    default:
        return m_index;
    }
}

Acad::ErrorStatus AcCmEntityColor::setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
{
    m_method = kByColor;
    m_red = red;
    m_green = green;
    m_blue = blue;
    return Acad::eOk;
}

Adesk::UInt8 AcCmEntityColor::red() const
{
    if (m_method == kByColor)
        return m_red;
    if (m_method == kByACI)
        return static_cast<Adesk::UInt8>(lookUpRGB(static_cast<Adesk::UInt8>(m_index)) >> 16);
    return 0;
}

Adesk::UInt8 AcCmEntityColor::green() const
{
    if (m_method == kByColor)
        return m_green;
    if (m_method == kByACI)
        return static_cast<Adesk::UInt8>(lookUpRGB(static_cast<Adesk::UInt8>(m_index)) >> 8);
    return 0;
}

Adesk::UInt8 AcCmEntityColor::blue() const
{
    if (m_method == kByColor)
        return m_blue;
    if (m_method == kByACI)
        return static_cast<Adesk::UInt8>(lookUpRGB(static_cast<Adesk::UInt8>(m_index)));
    return 0;
}

Adesk::UInt32 AcCmEntityColor::color() const
{
    Adesk::UInt32 method = static_cast<Adesk::UInt32>(m_method) << 24;
    if (m_method == kByColor)
        return method | (static_cast<Adesk::UInt32>(m_red) << 16) | (static_cast<Adesk::UInt32>(m_green) << 8) | m_blue;
    return method | static_cast<Adesk::UInt16>(m_index);
}

Acad::ErrorStatus AcCmEntityColor::setColor(Adesk::UInt32 color)
{
    auto method = static_cast<ColorMethod>(color >> 24);
    switch (method) {
    case kByColor:
        return setRGB(static_cast<Adesk::UInt8>(color >> 16), static_cast<Adesk::UInt8>(color >> 8),
                      static_cast<Adesk::UInt8>(color));
    case kByACI:
        return setColorIndex(static_cast<Adesk::Int16>(color & 0xFFFF));
    case kByLayer:
    case kByBlock:
    case kForeground:
    case kByPen:
    case kLayerOff:
    case kLayerFrozen:
    case kNone:
        return setColorMethod(method);
    default:
        return Acad::eInvalidInput;
    }
}

bool AcCmEntityColor::operator==(const AcCmEntityColor& c) const
{
    return color() == c.color();
}

Adesk::UInt32 AcCmEntityColor::lookUpRGB(Adesk::UInt8 colorIndex)
{
    return palette()[colorIndex];
}

Adesk::UInt8 AcCmEntityColor::lookUpACI(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
{
    int best = 1;
    long bestDistance = -1;
    for (int i = 1; i <= 255; ++i) {
        Adesk::UInt32 rgb = palette()[static_cast<size_t>(i)];
        long dr = static_cast<long>((rgb >> 16) & 0xFF) - red;
        long dg = static_cast<long>((rgb >> 8) & 0xFF) - green;
        long db = static_cast<long>(rgb & 0xFF) - blue;
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<Adesk::UInt8>(best);
}

// ----- AcCmColor ----------------------------------------------------------------------------------

AcCmColor::AcCmColor(const AcCmColor& other)
    : m_color(other.m_color), m_names(other.m_names ? std::make_unique<BookNames>(*other.m_names) : nullptr)
{
}

AcCmColor& AcCmColor::operator=(const AcCmColor& other)
{
    if (this != &other) {
        m_color = other.m_color;
        m_names = other.m_names ? std::make_unique<BookNames>(*other.m_names) : nullptr;
    }
    return *this;
}

AcCmColor::~AcCmColor() = default;

Acad::ErrorStatus AcCmColor::setNames(const ACHAR* colorName, const ACHAR* bookName)
{
    const bool none = (colorName == nullptr || *colorName == L'\0') && (bookName == nullptr || *bookName == L'\0');
    if (none) {
        m_names.reset();
        return Acad::eOk;
    }
    // Made before the old names go: the caller may pass them back.
    auto names = std::make_unique<BookNames>();
    names->color = colorName != nullptr ? colorName : L"";
    names->book = bookName != nullptr ? bookName : L"";
    m_names = std::move(names);
    return Acad::eOk;
}

bool AcCmColor::operator==(const AcCmColor& c) const
{
    return m_color == c.m_color && std::wstring_view(colorName()) == c.colorName() &&
           std::wstring_view(bookName()) == c.bookName();
}

Acad::ErrorStatus AcCmColor::dwgOut(AcDbDwgFiler* pOutputFiler) const
{
    if (pOutputFiler == nullptr)
        return Acad::eNullObjectPointer;
    pOutputFiler->writeUInt32(m_color.color());
    pOutputFiler->writeString(colorName());
    pOutputFiler->writeString(bookName());
    return pOutputFiler->filerStatus();
}

Acad::ErrorStatus AcCmColor::dwgIn(AcDbDwgFiler* pInputFiler)
{
    if (pInputFiler == nullptr)
        return Acad::eNullObjectPointer;
    Adesk::UInt32 packed = 0;
    Acad::ErrorStatus es = pInputFiler->readUInt32(&packed);
    if (es != Acad::eOk)
        return es;
    ACHAR* name = nullptr;
    ACHAR* book = nullptr;
    if ((es = pInputFiler->readString(&name)) != Acad::eOk)
        return es;
    if ((es = pInputFiler->readString(&book)) != Acad::eOk) {
        delete[] name;
        return es;
    }
    AcCmEntityColor c;
    es = c.setColor(packed);
    if (es == Acad::eOk) {
        m_color = c;
        setNames(name, book);
    }
    delete[] name;
    delete[] book;
    return es;
}
