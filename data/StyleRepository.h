#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace datamod {

// A colour as the repository stores it: a number whose low byte is red, then
// green, then blue.
QColor colorFromStored(quint32 stored);

// The colour a style gives its font: fixed, or a role of the system palette
// that is looked up when painting.
using FontColor = std::variant<QColor, QPalette::ColorRole>;

// A font of the repository, kept as plain values so that the repository can
// exist before (and without) a GUI application; toFont() makes the QFont.
struct FontSpec {
    QString family;
    int pixelHeight = 0; // character height at 96 pixels per inch
    bool bold = false;
    std::optional<FontColor> color;

    QFont toFont() const;
};

// A style sets only what it lists; everything else stays as the grid paints it.
struct Style {
    QString name;
    std::optional<QColor> color; // background
    std::optional<QColor> textColor;
    std::optional<FontSpec> font;
};

// The grid style repository cxStyleRepository1: fourteen styles designed at
// 96 pixels per inch.
class StyleRepository {
public:
    StyleRepository();

    static constexpr int pixelsPerInch = 96;
    const std::vector<Style>& styles() const { return styles_; }
    // Throws std::out_of_range for a name the repository does not hold.
    const Style& style(const QString& name) const;

private:
    std::vector<Style> styles_;
};

// A table-view style sheet: which style paints which element of the grid.
// The styles live in the repository that the sheet was made from.
struct TableViewStyleSheet {
    QString caption;
    const Style* background = nullptr;
    const Style* content = nullptr;
    const Style* contentEven = nullptr;
    const Style* contentOdd = nullptr;
    const Style* filterBox = nullptr;
    const Style* incSearch = nullptr;
    const Style* footer = nullptr;
    const Style* group = nullptr;
    const Style* groupByBox = nullptr;
    const Style* header = nullptr;
    const Style* inactive = nullptr;
    const Style* indicator = nullptr;
    const Style* preview = nullptr;
    const Style* selection = nullptr;
};

// GridTableViewStyleSheetDevExpress over the styles of `repository`.
TableViewStyleSheet devExpressStyleSheet(const StyleRepository& repository);

} // namespace datamod
