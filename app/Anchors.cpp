#include "Anchors.h"

#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QWidget>

#include <map>
#include <vector>

namespace app {

namespace {

struct Anchored {
    QPointer<QWidget> widget;
    bool left, top, right, bottom;
    QRect designed;     // geometry when anchored
    QSize parentSize;   // the parent's size then
};

// Lives as a child of the parent whose resizes it follows.
class AnchorKeeper : public QObject {
public:
    explicit AnchorKeeper(QWidget* parent) : QObject(parent), parent_(parent) { parent->installEventFilter(this); }

    void add(QWidget* w, const QString& anchors)
    {
        const QStringList edges = anchors.split(QLatin1Char(','), Qt::SkipEmptyParts);
        const auto has = [&](const char* edge) { return edges.contains(QLatin1String(edge), Qt::CaseInsensitive); };
        entries_.push_back({w, has("left"), has("top"), has("right"), has("bottom"), w->geometry(), parent_->size()});
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent_ && event->type() == QEvent::Resize)
            for (const Anchored& a : entries_)
                if (a.widget)
                    a.widget->setGeometry(place(a, parent_->size()));
        return false;
    }

private:
    // One axis: the designed start and length within the designed extent,
    // anchored to the near side, the far side or both.
    static std::pair<int, int> span(int start, int length, int designedExtent, int extent, bool nearSide, bool farSide)
    {
        const int farGap = designedExtent - (start + length);
        if (nearSide && farSide)
            return {start, extent - start - farGap};
        if (farSide)
            return {extent - farGap - length, length};
        return {start, length};
    }

    static QRect place(const Anchored& a, QSize size)
    {
        const QRect& d = a.designed;
        const auto [x, w] = span(d.x(), d.width(), a.parentSize.width(), size.width(), a.left || !a.right, a.right);
        const auto [y, h] = span(d.y(), d.height(), a.parentSize.height(), size.height(), a.top || !a.bottom, a.bottom);
        return {x, y, w, h};
    }

    QWidget* parent_;
    std::vector<Anchored> entries_;
};

} // namespace

void applyAnchors(QWidget* form)
{
    std::map<QWidget*, AnchorKeeper*> keepers;
    for (QWidget* w : form->findChildren<QWidget*>()) {
        const QVariant anchors = w->property("anchors");
        if (!anchors.isValid() || !w->parentWidget())
            continue;
        AnchorKeeper*& keeper = keepers[w->parentWidget()];
        if (!keeper)
            keeper = new AnchorKeeper(w->parentWidget());
        keeper->add(w, anchors.toString());
    }
}

void fitLabelToText(QLabel* label)
{
    const QRect before = label->geometry();
    label->adjustSize();
    if (label->property("anchors").toString().contains(QLatin1String("right")))
        label->move(before.right() - label->width() + 1, before.y());
}

void fitWrappedLabel(QLabel* label) { label->resize(label->width(), label->heightForWidth(label->width())); }

void fitLabelsToText(QWidget* form)
{
    for (QLabel* label : form->findChildren<QLabel*>()) {
        if (label->wordWrap())
            fitWrappedLabel(label);
        else
            fitLabelToText(label);
    }
}

} // namespace app
