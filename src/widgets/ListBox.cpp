#include "widgets/ListBox.h"

#include <QStyledItemDelegate>

namespace {

class FixedRowDelegate : public QStyledItemDelegate {
public:
    FixedRowDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

}  // namespace

ListBox::ListBox(QWidget* parent, const QString& name, int itemHeight) : QListWidget(parent)
{
    setObjectName(name);
    setItemDelegate(new FixedRowDelegate(itemHeight, this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}
