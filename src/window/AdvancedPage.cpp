#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>

#include "wallpaper/FillColor.h"
#include "widgets/ColorBox.h"
#include "widgets/DesignedControls.h"
#include "widgets/ProgramIcons.h"
#include "widgets/UpDown.h"
#include "window/Tessel.h"

namespace {

// Draws the drop-down's items at least kItemHeight pixels high, so the icons do not crowd.
class TTallItemDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QSize size = QStyledItemDelegate::sizeHint(option, index);
    return {size.width(), std::max(size.height(), kItemHeight)};
  }
  static constexpr int kItemHeight = 24;
};

QComboBox* MakeDispCodeBox(QWidget* parent, const char* name, int left, int top) {
  QComboBox* box = MakeControl<QComboBox>(parent, name, left, top, 141, 30);
  box->setItemDelegate(new TTallItemDelegate(box));
  for (int code = 0; code < DispObjCount; ++code) {
    const std::string_view text = DispText(ToDispObj(code));
    box->addItem(QIcon(QPixmap::fromImage(DrawDispMethodIcon(ToDispObj(code), 16))),
                 QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  }
  return box;
}

}  // namespace

void TTesselForm1::BuildAdvancedPage() {
  QWidget* page = AdvancedPage;
  GroupBox3 = MakeControl<QGroupBox>(page, "GroupBox3", 80, 8, 385, 113, "New Items Display Method");
  Label5 = MakeLabel(GroupBox3, "Label5", "Default Display:", 20, 24);
  DefDispCB = MakeDispCodeBox(GroupBox3, "DefDispCB", 100, 16);
  excFlg = MakeControl<QCheckBox>(GroupBox3, "excFlg", 32, 62, 0, 0, "but if Height >");
  excHeightQty = MakeNumberField(GroupBox3, "excHeightQty", "0", 128, 60, 3);
  excHeightQtyUpDown = new TUpDown(excHeightQty, 0, 100, GroupBox3);
  excHeightQtyUpDown->setObjectName("excHeightQtyUpDown");
  Label14 = MakeLabel(GroupBox3, "Label14", "AND Width >", 52, 88);
  excWidthQty = MakeNumberField(GroupBox3, "excWidthQty", "0", 128, 84, 3);
  excWidthQtyUpDown = new TUpDown(excWidthQty, 0, 100, GroupBox3);
  excWidthQtyUpDown->setObjectName("excWidthQtyUpDown");
  Label9 = MakeLabel(GroupBox3, "Label9", "default is", 175, 64);
  DefExcCB = MakeDispCodeBox(GroupBox3, "DefExcCB", 226, 56);
  for (QWidget* control : std::initializer_list<QWidget*>{excFlg, excHeightQty, excHeightQtyUpDown, Label14,
                                                          excWidthQty, excWidthQtyUpDown, Label9, DefExcCB})
    control->setEnabled(false);

  PlusInstalled = MakeControl<QCheckBox>(page, "PlusInstalled", 108, 132, 357, 0,
                                         "Let the desktop stretch (Stretch performed by the desktop)");
  SortImages = MakeControl<QCheckBox>(page, "SortImages", 108, 154, 0, 0, "Sort Image List by Name");
  SortImages->setChecked(true);
  ConfirmRemove =
      MakeControl<QCheckBox>(page, "ConfirmRemove", 108, 176, 0, 0, "Confirm when Remove selected from System Tray");
  ConfirmRemove->setChecked(true);
  ShowSplash = MakeControl<QCheckBox>(page, "ShowSplash", 108, 176, 0, 0, "Show Splash screen");
  ShowSplash->hide();
  Label7 = MakeLabel(page, "Label7", "Fill Color for Ratio Stretch:", 108, 200);
  FillColorComboBox = MakeControl<QComboBox>(page, "FillColorComboBox", 240, 196, 145, 22);
  FillColorComboBox->setIconSize(QSize(22, 14));
  AddStandardColors(FillColorComboBox);
  Label11 = MakeLabel(page, "Label11", "Click on System Tray icon:", 108, 224);
  SysTrayClickCB = MakeControl<QComboBox>(page, "SysTrayClickCB", 240, 220, 145, 0);
  SysTrayClickCB->addItems({"Open Properties", "Next Image", "Remove Image", "Pause/Resume"});
  MonitorsLabel = MakeLabel(page, "MonitorsLabel", "Several monitors:", 108, 248);
  MonitorsComboBox = MakeControl<QComboBox>(page, "MonitorsComboBox", 240, 244, 145, 0);
  // In the order of MonitorMode.
  MonitorsComboBox->addItems({"Same image on all", "Next image on each", "One image across all"});

  connect(DefDispCB, &QComboBox::currentIndexChanged, this,
          [this](int index) { Values.DefaultDisplay = ::DefDispObj(index); });
  connect(DefDispCB, &QComboBox::activated, this, [this] { Change(DefDispCB); });
  connect(DefExcCB, &QComboBox::currentIndexChanged, this,
          [this](int index) { Values.ExceptDefaultDisplay = ToDispObj(index); });
  connect(DefExcCB, &QComboBox::activated, this, [this] { Change(DefExcCB); });
  const auto numberField = [this](QLineEdit* field, std::string TSettings::*setting) {
    connect(field, &QLineEdit::textChanged, this, [this, field, setting](const QString& text) {
      Values.*setting = text.toStdString();
      Change(field);
    });
  };
  numberField(excWidthQty, &TSettings::ExceptWidth);
  numberField(excHeightQty, &TSettings::ExceptHeight);
  connect(excFlg, &QCheckBox::toggled, this, [this](bool on) { Values.ExceptEnabled = on; });
  connect(PlusInstalled, &QCheckBox::toggled, this, [this](bool on) {
    Values.PlusInstalled = on;
    Change(PlusInstalled);
  });
  // The three boxes share one handler, which sorts the list as SortImages says.
  connect(SortImages, &QCheckBox::toggled, this, [this](bool on) { Values.SortImages = on; });
  connect(ConfirmRemove, &QCheckBox::toggled, this, [this](bool on) { Values.ConfirmRemove = on; });
  for (QCheckBox* box : {SortImages, ConfirmRemove, ShowSplash})
    connect(box, &QCheckBox::toggled, this, [this] { SortImagesClick(); });
  connect(FillColorComboBox, &QComboBox::currentIndexChanged, this,
          [this](int index) { Values.FillColor = FillColorComboBox->itemData(index).toInt(); });
  // The list shows the click action and records the user's choice.
  connect(SysTrayClickCB, &QComboBox::currentIndexChanged, this,
          [this](int index) { Values.ClickAction = TrayClickActionAt(index); });
  connect(SysTrayClickCB, &QComboBox::activated, this, [this] { SysTrayClickCBChange(SysTrayClickCB); });
  connect(MonitorsComboBox, &QComboBox::currentIndexChanged, this,
          [this](int index) { Values.Monitors = MonitorModeAt(index); });
  connect(MonitorsComboBox, &QComboBox::activated, this, [this] { Change(MonitorsComboBox); });
}
