#include "GridHeader.h"

#include "ColumnDrag.h"
#include "RowLook.h"
#include "ViewState.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

#include <set>

namespace grid {

namespace {

constexpr int buttonSize = 12;
constexpr int arrowWidth = 8;

void drawTriangle(QPainter& p, const QRect& r, bool up, const QColor& color)
{
    const int cx = r.center().x();
    const int h = std::min(r.height(), 5);
    const int top = r.center().y() - h / 2;
    const QPolygon tri = up ? QPolygon({QPoint(cx - h + 1, top + h), QPoint(cx + h - 1, top + h), QPoint(cx, top)})
                            : QPolygon({QPoint(cx - h + 1, top), QPoint(cx + h - 1, top), QPoint(cx, top + h)});
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(color);
    p.setBrush(color);
    p.drawPolygon(tri);
    p.restore();
}

} // namespace

GridHeader::GridHeader(const ViewState& state, const std::optional<TableViewStyleSheet>& sheet, const void* grid,
                       QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), state_(state), sheet_(sheet), grid_(grid)
{
    setSectionsMovable(false);
    setSectionsClickable(false);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    viewport()->setAcceptDrops(true);
    editorHeight_ = QLineEdit().sizeHint().height();
    connect(this, &QHeaderView::sectionResized, this, [this] { layoutEditors(); });
    connect(this, &QHeaderView::geometriesChanged, this, [this] { layoutEditors(); });
}

int GridHeader::labelHeight() const { return QHeaderView::sizeHint().height(); }

QSize GridHeader::sizeHint() const
{
    QSize s = QHeaderView::sizeHint();
    if (filterRow_)
        s.rheight() += editorHeight_;
    return s;
}

void GridHeader::setFilterRowVisible(bool visible)
{
    if (filterRow_ == visible)
        return;
    filterRow_ = visible;
    updateGeometry();
    syncFilterEditors();
    emit geometriesChanged();
}

QLineEdit* GridHeader::filterEditor(int columnId) const
{
    const auto it = editors_.find(columnId);
    return it == editors_.end() ? nullptr : it->second;
}

void GridHeader::syncFilterEditors()
{
    std::set<int> shown;
    for (int i = 0; i < state_.visibleColumnCount(); ++i) {
        const int id = state_.visibleColumn(i);
        shown.insert(id);
        QLineEdit*& editor = editors_[id];
        if (!editor) {
            editor = new QLineEdit(viewport());
            editor->setObjectName(QStringLiteral("filterRow_") + QString::fromStdString(state_.column(id).field));
            connect(editor, &QLineEdit::textEdited, this, [this, id](const QString& text) { emit filterTextEdited(id, text); });
        }
        const QString text = state_.filterText(id);
        if (editor->text() != text)
            editor->setText(text);
    }
    for (auto& [id, editor] : editors_)
        if (!shown.contains(id))
            editor->hide();
    layoutEditors();
}

void GridHeader::layoutEditors()
{
    for (int i = 0; i < state_.visibleColumnCount() && i < count(); ++i) {
        QLineEdit* editor = filterEditor(state_.visibleColumn(i));
        if (!editor)
            continue;
        editor->setGeometry(sectionViewportPosition(i), labelHeight(), sectionSize(i), editorHeight_);
        editor->setVisible(filterRow_);
    }
}

QRect GridHeader::labelRect(int visibleIndex) const
{
    return QRect(sectionViewportPosition(visibleIndex), 0, sectionSize(visibleIndex), labelHeight());
}

QRect GridHeader::filterButtonRect(int visibleIndex) const
{
    const QRect label = labelRect(visibleIndex);
    return QRect(label.right() - buttonSize - 2, label.top() + (label.height() - buttonSize) / 2, buttonSize, buttonSize);
}

int GridHeader::dropIndexAt(int x) const
{
    for (int v = 0; v < count(); ++v)
        if (x < sectionViewportPosition(v) + sectionSize(v) / 2)
            return v;
    return count();
}

void GridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (logicalIndex < 0 || logicalIndex >= state_.visibleColumnCount())
        return;
    const int id = state_.visibleColumn(logicalIndex);
    QRect label = rect;
    label.setHeight(labelHeight());

    painter->save();
    QColor textColor = palette().color(QPalette::ButtonText);
    if (sheet_ && sheet_->header) {
        const RowLook look = partLook(sheet_->header, palette().color(QPalette::Button), textColor, font());
        painter->fillRect(label, look.background);
        painter->setPen(look.background.darker(130));
        painter->drawLine(label.topRight(), label.bottomRight());
        painter->drawLine(label.bottomLeft(), label.bottomRight());
        textColor = look.text;
        painter->setFont(look.font);
    } else {
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = label;
        opt.section = logicalIndex;
        opt.state |= QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
        const int last = count() - 1;
        opt.position = last == 0 ? QStyleOptionHeader::OnlyOneSection
            : logicalIndex == 0  ? QStyleOptionHeader::Beginning
            : logicalIndex == last ? QStyleOptionHeader::End
                                   : QStyleOptionHeader::Middle;
        style()->drawControl(QStyle::CE_HeaderSection, &opt, painter, this);
    }

    const QRect button = filterButtonRect(logicalIndex).translated(rect.left() - sectionViewportPosition(logicalIndex), 0);
    const std::optional<SortOrder> order = state_.sortOrder(id);
    const int glyphs = buttonSize + 4 + (order ? arrowWidth + 4 : 0);
    const QRect textRect = label.adjusted(4, 0, -glyphs, 0);
    painter->setPen(textColor);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      painter->fontMetrics().elidedText(state_.column(id).caption, Qt::ElideRight, textRect.width()));
    if (order)
        drawTriangle(*painter, QRect(button.left() - arrowWidth - 4, label.top(), arrowWidth, label.height()),
                     *order == SortOrder::Ascending, textColor);

    // The filter button: a small drop-down arrow, filled in while the column is filtered.
    const bool filtered = state_.valueFilter(id) != nullptr;
    if (filtered)
        painter->fillRect(button, palette().color(QPalette::Highlight));
    painter->setPen(filtered ? palette().color(QPalette::HighlightedText) : textColor);
    painter->drawRect(button.adjusted(0, 0, -1, -1));
    drawTriangle(*painter, button.adjusted(2, 3, -2, -2), false,
                 filtered ? palette().color(QPalette::HighlightedText) : textColor);
    painter->restore();
}

void GridHeader::paintEvent(QPaintEvent* event)
{
    QHeaderView::paintEvent(event);
    if (dropIndex_ < 0 || count() == 0)
        return;
    const int x = dropIndex_ < count() ? sectionViewportPosition(dropIndex_)
                                       : sectionViewportPosition(count() - 1) + sectionSize(count() - 1) - 2;
    QPainter p(viewport());
    p.fillRect(QRect(x, 0, 2, labelHeight()), palette().color(QPalette::Highlight));
}

bool GridHeader::onHandle(const QPoint& pos) const
{
    const int grip = style()->pixelMetric(QStyle::PM_HeaderGripMargin, nullptr, this);
    const int left = logicalIndexAt(pos.x() - grip);
    return left >= 0 && left != logicalIndexAt(pos.x() + grip);
}

void GridHeader::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        const int v = logicalIndexAt(pos);
        if (v >= 0 && pos.y() < labelHeight() && !onHandle(pos)) {
            if (filterButtonRect(v).contains(pos))
                emit filterButtonClicked(v);
            else
                press_ = Press{v, pos, event->modifiers()};
            event->accept();
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeader::mouseMoveEvent(QMouseEvent* event)
{
    if (!press_) {
        QHeaderView::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if ((event->buttons() & Qt::LeftButton) && (pos - press_->pos).manhattanLength() >= QApplication::startDragDistance()) {
        const Press p = *press_;
        press_.reset();
        startDrag(p.section, p.pos);
    }
}

void GridHeader::mouseReleaseEvent(QMouseEvent* event)
{
    if (!press_ || event->button() != Qt::LeftButton) {
        QHeaderView::mouseReleaseEvent(event);
        return;
    }
    const Press p = *press_;
    press_.reset();
    if (logicalIndexAt(event->position().toPoint()) == p.section)
        emit sortClicked(p.section, p.modifiers | event->modifiers());
}

void GridHeader::contextMenuEvent(QContextMenuEvent* event)
{
    const int v = logicalIndexAt(event->pos());
    if (v >= 0)
        emit menuRequested(v, event->globalPos());
}

void GridHeader::startDrag(int visibleIndex, const QPoint& pos)
{
    const QRect r = labelRect(visibleIndex);
    auto* drag = new QDrag(this);
    drag->setMimeData(ColumnDrag{grid_, state_.visibleColumn(visibleIndex), false}.toMime());
    drag->setPixmap(viewport()->grab(r));
    drag->setHotSpot(pos - r.topLeft());
    drag->exec(Qt::MoveAction);
}

bool GridHeader::acceptDrag(QDropEvent* event)
{
    if (!ColumnDrag::from(event->mimeData(), grid_)) {
        event->ignore();
        return false;
    }
    event->acceptProposedAction();
    dropIndex_ = dropIndexAt(event->position().toPoint().x());
    viewport()->update();
    return true;
}

void GridHeader::dragEnterEvent(QDragEnterEvent* event) { acceptDrag(event); }

void GridHeader::dragMoveEvent(QDragMoveEvent* event) { acceptDrag(event); }

void GridHeader::dragLeaveEvent(QDragLeaveEvent*)
{
    dropIndex_ = -1;
    viewport()->update();
}

void GridHeader::dropEvent(QDropEvent* event)
{
    const std::optional<ColumnDrag> drag = ColumnDrag::from(event->mimeData(), grid_);
    dropIndex_ = -1;
    viewport()->update();
    if (!drag) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit columnDropped(drag->column, drag->fromGroupBox, dropIndexAt(event->position().toPoint().x()));
}

} // namespace grid
