#include "ValueFilterPopup.h"

#include "ValueFilterModel.h"

#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace grid {

ValueFilterPopup::ValueFilterPopup(QStringList choices, const ValueFilter* current, QWidget* parent)
    : QFrame(parent, Qt::Popup),
      model_(new ValueFilterModel(std::move(choices), current, this)),
      list_(new QListView(this)),
      clear_(new QPushButton(QStringLiteral("Clear"), this))
{
    setObjectName(QStringLiteral("valueFilterPopup"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAttribute(Qt::WA_DeleteOnClose);
    list_->setModel(model_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->installEventFilter(this);
    clear_->setObjectName(QStringLiteral("clearValueFilter"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_, 1);
    layout->addWidget(clear_);
    connect(list_, &QListView::clicked, this, [this](const QModelIndex& index) { model_->toggle(index.row()); });
    connect(model_, &ValueFilterModel::filterChanged, this, &ValueFilterPopup::filterChanged);
    connect(clear_, &QPushButton::clicked, this, [this] {
        emit clearRequested();
        close();
    });
    resize(220, 260);
}

bool ValueFilterPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && list_->currentIndex().isValid()) {
        model_->toggle(list_->currentIndex().row());
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace grid
