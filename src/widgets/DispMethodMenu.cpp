#include "widgets/DispMethodMenu.h"

#include <QActionGroup>
#include <QMenu>

void AddDispMethodItems(QMenu* menu, QAction* (&items)[DispObjCount], const std::function<void(QAction*)>& chosen) {
  auto* group = new QActionGroup(menu);
  group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (DispObj code : DispMenuOrder) {
    const std::string_view caption = DispMenuCaption(code);
    QAction* item = menu->addAction(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    item->setCheckable(true);
    item->setData(ToInt(code));
    group->addAction(item);
    items[ToInt(code)] = item;
    QObject::connect(item, &QAction::triggered, menu, [chosen, item] { chosen(item); });
  }
}
