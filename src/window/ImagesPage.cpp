#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "widgets/DesignedControls.h"
#include "widgets/DispMethodMenu.h"
#include "widgets/ImageListModel.h"
#include "widgets/PaintBox.h"
#include "widgets/ProgramIcons.h"
#include "window/Tessel.h"

namespace {
constexpr const char* kIconNames[DispObjCount] = {"TileImage",       "CenterImage",    "StretchImage",
                                                  "MirrorTileImage", "BrickTileImage", "RatioStretchImage",
                                                  "DoubleTileImage"};
}  // namespace

void TTesselForm1::BuildImagesPage() {
  QWidget* page = ImagesPage;
  MoveUp = MakeControl<QPushButton>(page, "MoveUp", 8, 8, 81, 25, "Move Up");
  MoveDown = MakeControl<QPushButton>(page, "MoveDown", 89, 8, 97, 25, "Move Down");
  Display = MakeControl<QPushButton>(page, "Display", 189, 8, 67, 25, "Display");
  Display->setEnabled(false);

  ListView1 = MakeControl<QTreeView>(page, "ListView1", 8, 40, 250, 238);
  ListView1->setModel(ListModel);
  ListView1->setRootIsDecorated(false);
  ListView1->setUniformRowHeights(true);
  ListView1->setIconSize(QSize(32, 16));
  ListView1->setItemsExpandable(false);
  ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
  ListView1->header()->resizeSection(0, 230);

  Add = MakeControl<QPushButton>(page, "Add", 12, 282, 75, 25, "Add...");
  Remove = MakeControl<QPushButton>(page, "Remove", 87, 282, 75, 25, "Remove");
  Remove->setEnabled(false);
  Apply = MakeControl<QPushButton>(page, "Apply", 168, 282, 75, 25, "Apply");

  Bevel4 = MakeControl<QFrame>(page, "Bevel4", 264, 8, 254, 193);
  Bevel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
  ImgListImage = MakeControl<TPaintBox>(page, "ImgListImage", 272, 16, 236, 177);
  ImgListImage->OnPaint = [this](QPainter& painter) { ImgListImagePaint(painter); };
  Label8 = MakeLabel(page, "Label8", "Width:", 272, 208);
  labelWidth = MakeLabel(page, "labelWidth", " ", 312, 208, true, 56);
  Label10 = MakeLabel(page, "Label10", "Height:", 376, 208);
  labelHeight = MakeLabel(page, "labelHeight", " ", 416, 208, true, 56);
  Label13 = MakeLabel(page, "Label13", "Name:", 272, 224);
  labelName = MakeLabel(page, "labelName", "", 312, 224, true, 200);
  Label6 = MakeLabel(page, "Label6", "Count:", 252, 288);
  Count = MakeLabel(page, "Count", "0", 288, 288, true, 36);

  PanelIcon = MakeControl<QFrame>(page, "PanelIcon", 280, 244, 32, 32);
  for (int code = 0; code < DispObjCount; ++code) {
    TPaintBox* icon = MakeControl<TPaintBox>(PanelIcon, kIconNames[code], 0, 0, 32, 32);
    const QImage picture = DrawDispMethodIcon(ToDispObj(code), 32);
    icon->OnPaint = [icon, picture](QPainter& painter) {
      painter.drawImage(QPoint((icon->width() - picture.width()) / 2, (icon->height() - picture.height()) / 2),
                        picture);
    };
    icon->OnClick = [this, icon] { IconClick(icon); };
    icon->setToolTip("Click Me!");
    icon->setVisible(false);
    MethodIcons[code] = icon;
  }

  PanelDisplay = MakeControl<QGroupBox>(page, "PanelDisplay", 326, 238, 193, 69, "Display");
  dispCenter = MakeControl<QRadioButton>(PanelDisplay, "dispCenter", 24, 16, 0, 0, "Center");
  dispTile = MakeControl<QRadioButton>(PanelDisplay, "dispTile", 24, 32, 0, 0, "Tile");
  Stretch = MakeControl<QCheckBox>(PanelDisplay, "Stretch", 88, 16, 0, 0, "Stretch");
  dispSpecial = MakeControl<QRadioButton>(PanelDisplay, "dispSpecial", 24, 48, 0, 0, "Special:");
  dispSpecial->setChecked(true);
  dispSpecial->setEnabled(false);
  Special = MakeControl<QComboBox>(PanelDisplay, "Special", 84, 44, 101, 0);
  Special->addItems({"Mirror Tile", "Brick Tile", "Ratio Stretch", "Double Tile"});
  Special->setEnabled(false);

  ImgPopupMenu = new QMenu(this);
  ImgPopupMenu->setObjectName("ImgPopupMenu");
  const auto item = [this](const char* name, const char* caption) {
    QAction* action = ImgPopupMenu->addAction(caption);
    action->setObjectName(name);
    return action;
  };
  MIMoveUp = item("MIMoveUp", "Move &Up");
  MIMoveDown = item("MIMoveDown", "&Move Down");
  ImgPopupMenu->addSeparator();
  MIDisplay = item("MIDisplay", "&Display");
  MIRemove = item("MIRemove", "&Remove");
  MIApply = item("MIApply", "&Apply");
  MIDisplayType = ImgPopupMenu->addMenu("Display &Type");
  ImgPopupMenu->addSeparator();
  MIDarkPicture = item("MIDarkPicture", "Dar&k Picture...");
  MINoDarkPicture = item("MINoDarkPicture", "&No Dark Picture");
  MIDisplayType->setObjectName("MIDisplayType");
  AddDispMethodItems(MIDisplayType, MIDisplayTypeItems,
                     [this](QAction* item) { MenuCommand([this, item] { MIDisplayTypeClick(item); })(); });
  for (int code = 0; code < DispObjCount; ++code)
    MIDisplayTypeItems[code]->setIcon(QIcon(QPixmap::fromImage(DrawDispMethodIcon(ToDispObj(code), 16))));
  connect(MIMoveUp, &QAction::triggered, this, MenuCommand([this] { MoveUpClick(); }));
  connect(MIMoveDown, &QAction::triggered, this, MenuCommand([this] { MoveDownClick(); }));
  connect(MIDisplay, &QAction::triggered, this, MenuCommand([this] { DisplayClick(); }));
  connect(MIRemove, &QAction::triggered, this, MenuCommand([this] { MIRemoveClick(); }));
  connect(MIApply, &QAction::triggered, this, MenuCommand([this] { ApplyClick(MIApply); }));
  connect(MIDarkPicture, &QAction::triggered, this, MenuCommand([this] { DarkPictureClick(); }));
  connect(MINoDarkPicture, &QAction::triggered, this, MenuCommand([this] { NoDarkPictureClick(); }));
  connect(ImgPopupMenu, &QMenu::aboutToShow, this, [this] {
    AgentRun->Commands().Enter();
    ImgPopupMenuPopup();
  });
  connect(ImgPopupMenu, &QMenu::aboutToHide, this, [this] { AgentRun->Commands().Leave(); });
  WireImagesPage();
}

void TTesselForm1::WireImagesPage() {
  connect(MoveUp, &QPushButton::clicked, this, Command([this] { MoveUpClick(); }));
  connect(MoveDown, &QPushButton::clicked, this, Command([this] { MoveDownClick(); }));
  connect(Display, &QPushButton::clicked, this, Command([this] { DisplayClick(); }));
  connect(Add, &QPushButton::clicked, this, Command([this] { AddClick(); }));
  connect(Remove, &QPushButton::clicked, this, Command([this] { MIRemoveClick(); }));
  connect(Apply, &QPushButton::clicked, this, Command([this] { ApplyClick(Apply); }));
  connect(ListView1, &QTreeView::clicked, this, Command([this] { ImgListClick(); }));
  connect(ListView1, &QTreeView::customContextMenuRequested, this, [this](QPoint pos) {
    if (AgentRun->Commands().Open()) ImgPopupMenu->popup(ListView1->viewport()->mapToGlobal(pos));
  });
  connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { SyncSelectionFromView(); });
  connect(ListView1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { SyncSelectionFromView(); });
  for (QRadioButton* radio : {dispCenter, dispTile, dispSpecial})
    connect(radio, &QRadioButton::toggled, this, [this, radio](bool on) {
      if (on) dispTileClick(radio);
    });
  connect(Stretch, &QCheckBox::toggled, this, [this] { dispTileClick(Stretch); });
  connect(Special, &QComboBox::activated, this, Command([this] { dispTileClick(Special); }));
}
