#include "GroupByBox.h"

#include "ColumnDrag.h"
#include "RowLook.h"
#include "ViewState.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace grid {

namespace {

constexpr int margin = 6;
constexpr int spacing = 12;
constexpr int padding = 6;
constexpr int arrowSpace = 12;

} // namespace

QString GroupByBox::hintText() { return QStringLiteral("Drag a column header here to group by that column"); }

GroupByBox::GroupByBox(const ViewState& state, const std::optional<TableViewStyleSheet>& sheet, const void* grid,
                       QWidget* parent)
    : QWidget(parent), state_(state), sheet_(sheet), grid_(grid)
{
    setAcceptDrops(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QFont GroupByBox::buttonFont() const
{
    return sheet_ && sheet_->header && sheet_->header->font ? *sheet_->header->font : font();
}

int GroupByBox::buttonHeight() const { return QFontMetrics(buttonFont()).height() + 6; }

QSize GroupByBox::sizeHint() const { return QSize(200, buttonHeight() + 2 * margin); }

QSize GroupByBox::minimumSizeHint() const { return sizeHint(); }

QRect GroupByBox::buttonRect(int level) const
{
    const QFontMetrics fm(buttonFont());
    int x = margin;
    for (int i = 0; i < static_cast<int>(state_.groupColumns().size()); ++i) {
        const QString caption = state_.column(state_.groupColumns()[static_cast<std::size_t>(i)]).caption;
        const int w = fm.horizontalAdvance(caption) + 2 * padding + arrowSpace;
        if (i == level)
            return QRect(x, margin, w, buttonHeight());
        x += w + spacing;
    }
    return QRect(x, margin, 0, buttonHeight());
}

int GroupByBox::levelAt(const QPoint& pos) const
{
    for (int i = 0; i < static_cast<int>(state_.groupColumns().size()); ++i)
        if (buttonRect(i).contains(pos))
            return i;
    return -1;
}

int GroupByBox::dropLevelAt(int x) const
{
    const int levels = static_cast<int>(state_.groupColumns().size());
    for (int i = 0; i < levels; ++i)
        if (x < buttonRect(i).center().x())
            return i;
    return levels;
}

void GroupByBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const RowLook box = partLook(sheet_ ? sheet_->groupByBox : std::nullopt, palette().color(QPalette::Window).darker(112),
                                 palette().color(QPalette::WindowText), font());
    p.fillRect(rect(), box.background);
    const int levels = static_cast<int>(state_.groupColumns().size());
    if (levels == 0) {
        p.setPen(box.text);
        p.setFont(box.font);
        p.drawText(rect().adjusted(margin + 2, 0, -margin, 0), Qt::AlignLeft | Qt::AlignVCenter, hintText());
    }
    for (int i = 0; i < levels; ++i) {
        const int id = state_.groupColumns()[static_cast<std::size_t>(i)];
        const QRect r = buttonRect(i);
        QColor text = palette().color(QPalette::ButtonText);
        if (sheet_ && sheet_->header) {
            const RowLook look = partLook(sheet_->header, palette().color(QPalette::Button), text, font());
            p.fillRect(r, look.background);
            p.setPen(look.background.darker(130));
            p.drawRect(r.adjusted(0, 0, -1, -1));
            text = look.text;
        } else {
            QStyleOptionHeader opt;
            opt.initFrom(this);
            opt.rect = r;
            opt.state |= QStyle::State_Raised | QStyle::State_Horizontal;
            opt.position = QStyleOptionHeader::OnlyOneSection;
            style()->drawControl(QStyle::CE_HeaderSection, &opt, &p, this);
        }
        p.setPen(text);
        p.setFont(buttonFont());
        p.drawText(r.adjusted(padding, 0, -arrowSpace, 0), Qt::AlignLeft | Qt::AlignVCenter, state_.column(id).caption);
        const bool up = state_.sortOrder(id).value_or(SortOrder::Ascending) == SortOrder::Ascending;
        const int cx = r.right() - arrowSpace / 2 - 2;
        const int cy = r.center().y();
        p.setBrush(text);
        p.drawPolygon(up ? QPolygon({QPoint(cx - 3, cy + 2), QPoint(cx + 3, cy + 2), QPoint(cx, cy - 2)})
                         : QPolygon({QPoint(cx - 3, cy - 2), QPoint(cx + 3, cy - 2), QPoint(cx, cy + 2)}));
        p.setBrush(Qt::NoBrush);
        if (i > 0) {
            p.setPen(box.text);
            const QRect prev = buttonRect(i - 1);
            p.drawLine(prev.right() + 1, cy, r.left() - 1, cy);
        }
    }
    if (dropLevel_ >= 0) {
        const int x = dropLevel_ < levels ? buttonRect(dropLevel_).left() - spacing / 2 : buttonRect(levels).left() - spacing / 2;
        p.fillRect(QRect(std::max(0, x - 1), margin, 2, buttonHeight()), palette().color(QPalette::Highlight));
    }
}

void GroupByBox::mousePressEvent(QMouseEvent* event)
{
    pressedLevel_ = event->button() == Qt::LeftButton ? levelAt(event->position().toPoint()) : -1;
    pressPos_ = event->position().toPoint();
}

void GroupByBox::mouseMoveEvent(QMouseEvent* event)
{
    if (pressedLevel_ < 0 || !(event->buttons() & Qt::LeftButton)
        || (event->position().toPoint() - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    const int level = pressedLevel_;
    pressedLevel_ = -1;
    const QRect r = buttonRect(level);
    auto* drag = new QDrag(this);
    drag->setMimeData(ColumnDrag{grid_, state_.groupColumns()[static_cast<std::size_t>(level)], true}.toMime());
    drag->setPixmap(grab(r));
    drag->setHotSpot(pressPos_ - r.topLeft());
    drag->exec(Qt::MoveAction);
}

void GroupByBox::mouseReleaseEvent(QMouseEvent* event)
{
    const int level = pressedLevel_;
    pressedLevel_ = -1;
    if (level >= 0 && event->button() == Qt::LeftButton && levelAt(event->position().toPoint()) == level)
        emit buttonClicked(level);
}

void GroupByBox::contextMenuEvent(QContextMenuEvent* event)
{
    const int level = levelAt(event->pos());
    emit menuRequested(level < 0 ? -1 : state_.groupColumns()[static_cast<std::size_t>(level)], event->globalPos());
}

bool GroupByBox::acceptDrag(QDropEvent* event)
{
    if (!ColumnDrag::from(event->mimeData(), grid_)) {
        event->ignore();
        return false;
    }
    event->acceptProposedAction();
    dropLevel_ = dropLevelAt(event->position().toPoint().x());
    update();
    return true;
}

void GroupByBox::dragEnterEvent(QDragEnterEvent* event) { acceptDrag(event); }

void GroupByBox::dragMoveEvent(QDragMoveEvent* event) { acceptDrag(event); }

void GroupByBox::dragLeaveEvent(QDragLeaveEvent*)
{
    dropLevel_ = -1;
    update();
}

void GroupByBox::dropEvent(QDropEvent* event)
{
    const std::optional<ColumnDrag> drag = ColumnDrag::from(event->mimeData(), grid_);
    dropLevel_ = -1;
    update();
    if (!drag) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit columnDropped(drag->column, drag->fromGroupBox, dropLevelAt(event->position().toPoint().x()));
}

} // namespace grid
