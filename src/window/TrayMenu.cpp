#include <QMenu>

#include "widgets/DispMethodMenu.h"
#include "window/Tessel.h"

namespace {
constexpr const char* kItemNames[DispObjCount] = {"mnuTile",      "mnuCenter",       "mnuStretch",   "mnuMirrorTile",
                                                  "mnuBrickTile", "mnuRatioStretch", "mnuDoubleTile"};
}

void TTesselForm1::BuildTrayMenu() {
  SysTrayPopupMenu1 = new QMenu(this);
  SysTrayPopupMenu1->setObjectName("SysTrayPopupMenu1");
  const auto item = [this](const char* name, const char* caption) {
    QAction* action = SysTrayPopupMenu1->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  Properties1 = item("Properties1", "&Properties");
  SysTrayPopupMenu1->setDefaultAction(Properties1);
  Pause1 = item("Pause1", "Pause");
  Next1 = item("Next1", "&Next Background");
  Previous1 = item("Previous1", "Pre&vious Background");
  SysTrayPopupMenu1->addSeparator()->setObjectName("N3");
  mnuImgName = item("mnuImgName", "image name");
  mnuDispTypItm = SysTrayPopupMenu1->addMenu("Display &Type");
  mnuDispTypItm->setObjectName("mnuDispTypItm");
  AddDispMethodItems(mnuDispTypItm, mnuDispTypItems,
                     [this](QAction* item) { MenuCommand([this, item] { mnuDispTypItmClick(item); })(); });
  for (int code = 0; code < DispObjCount; ++code) mnuDispTypItems[code]->setObjectName(kItemNames[code]);
  Remove1 = item("Remove1", "&Remove...");
  SysTrayPopupMenu1->addSeparator()->setObjectName("N1");
  Close1 = item("Close1", "&Close");
  connect(Properties1, &QAction::triggered, this, MenuCommand([this] { Properties1Click(Properties1); }));
  connect(Pause1, &QAction::triggered, this, MenuCommand([this] { Pause1Click(Pause1); }));
  connect(Next1, &QAction::triggered, this, MenuCommand([this] { Next1Click(Next1); }));
  connect(Previous1, &QAction::triggered, this, MenuCommand([this] { Previous1Click(Previous1); }));
  connect(Remove1, &QAction::triggered, this, MenuCommand([this] { Remove1Click(Remove1); }));
  connect(Close1, &QAction::triggered, this, MenuCommand([this] { CloseClick(Close1); }));
}
