#include "StyleRepository.h"

#include <stdexcept>

namespace datamod {

namespace {

// Named colours of the platform, as stored numbers.
constexpr quint32 clBlack = 0x000000;
constexpr quint32 clWhite = 0xFFFFFF;
constexpr quint32 clNavy = 0x800000;
constexpr quint32 clCream = 0xF0FBFF;

FontSpec sansSerif(bool bold, FontColor color)
{
    return FontSpec{QStringLiteral("MS Sans Serif"), 11, bold, color};
}

} // namespace

QColor colorFromStored(quint32 stored)
{
    return QColor(static_cast<int>(stored & 0xFF), static_cast<int>((stored >> 8) & 0xFF),
                  static_cast<int>((stored >> 16) & 0xFF));
}

QFont FontSpec::toFont() const
{
    QFont font(family);
    // Points keep the designed size at 96 dpi and scale with the screen's.
    font.setPointSizeF(pixelHeight * 72.0 / StyleRepository::pixelsPerInch);
    font.setBold(bold);
    return font;
}

StyleRepository::StyleRepository()
{
    const auto c = colorFromStored;
    const QColor black = c(clBlack), white = c(clWhite), navy = c(clNavy);
    const FontColor windowText = QPalette::WindowText;
    styles_ = {
        {QStringLiteral("cxStyle1"), c(clCream), {}, {}},
        {QStringLiteral("cxStyle2"), c(16247513), black, sansSerif(false, black)},
        {QStringLiteral("cxStyle3"), c(16247513), black, {}},
        {QStringLiteral("cxStyle4"), c(16511978), black, {}},
        {QStringLiteral("cxStyle5"), c(14811135), black, {}},
        {QStringLiteral("cxStyle6"), c(14811135), navy, sansSerif(true, windowText)},
        {QStringLiteral("cxStyle7"), c(14872561), {}, {}},
        {QStringLiteral("cxStyle8"), c(4707838), black, {}},
        {QStringLiteral("cxStyle9"), c(12937777), white, sansSerif(true, windowText)},
        {QStringLiteral("cxStyle10"), c(15451300), {}, {}},
        {QStringLiteral("cxStyle11"), c(4707838), black, {}},
        {QStringLiteral("cxStyle12"), c(15451300), {}, {}},
        {QStringLiteral("cxStyle13"), c(14811135), navy, sansSerif(true, navy)},
        {QStringLiteral("cxStyle14"), c(12937777), white, {}},
    };
}

const Style& StyleRepository::style(const QString& name) const
{
    for (const Style& s : styles_)
        if (s.name == name)
            return s;
    throw std::out_of_range("cxStyleRepository1 has no style " + name.toStdString());
}

TableViewStyleSheet devExpressStyleSheet(const StyleRepository& repository)
{
    const auto s = [&](const char* name) { return &repository.style(QString::fromLatin1(name)); };
    TableViewStyleSheet sheet;
    sheet.caption = QStringLiteral("DevExpress");
    sheet.background = s("cxStyle1");
    sheet.content = s("cxStyle2");
    sheet.contentEven = s("cxStyle3");
    sheet.contentOdd = s("cxStyle4");
    sheet.filterBox = s("cxStyle5");
    sheet.incSearch = s("cxStyle11");
    sheet.footer = s("cxStyle6");
    sheet.group = s("cxStyle7");
    sheet.groupByBox = s("cxStyle8");
    sheet.header = s("cxStyle9");
    sheet.inactive = s("cxStyle10");
    sheet.indicator = s("cxStyle12");
    sheet.preview = s("cxStyle13");
    sheet.selection = s("cxStyle14");
    return sheet;
}

} // namespace datamod
