#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "widgets/DesignedControls.h"
#include "widgets/UpDown.h"
#include "window/Tessel.h"

QRadioButton* TTesselForm1::OrderRadio(DisplayOrder order) const {
  // By DisplayOrder.
  QRadioButton* const radios[] = {orderSequential, orderRandom, orderRandomCycle};
  return radios[static_cast<int>(order)];
}

void TTesselForm1::BuildSchedulePage() {
  QWidget* page = SchedulePage;
  TriggerChange = MakeControl<QGroupBox>(page, "TriggerChange", 80, 4, 297, 77, "Trigger Change");
  MakeLabel(TriggerChange, "OnceEveryLabel", "Once every ", 24, 40);
  execQty = MakeNumberField(TriggerChange, "execQty", "1", 88, 32, 2);
  execQtyUpDown = new TUpDown(execQty, 1, 99, TriggerChange);
  execQtyUpDown->setObjectName("execQtyUpDown");
  execQtyUpDown->SetPosition(1);
  execTypeCB = MakeControl<QComboBox>(TriggerChange, "execTypeCB", 136, 32, 113, 0);
  execTypeCB->addItems({"Day(s)", "Execution(s)", "Hour(s)", "Minute(s)", "Second(s)"});

  OrderingGroup = MakeControl<QGroupBox>(page, "OrderingGroup", 80, 88, 297, 97, "Display Order");
  orderSequential = MakeControl<QRadioButton>(OrderingGroup, "orderSequential", 80, 16, 0, 0, "Sequential");
  orderRandom = MakeControl<QRadioButton>(OrderingGroup, "orderRandom", 80, 40, 0, 0, "Random");
  orderRandomCycle = MakeControl<QRadioButton>(OrderingGroup, "orderRandomCycle", 80, 64, 0, 0, "Random Cycle");
  orderSequential->setChecked(true);
  ResetMarked = MakeControl<QPushButton>(OrderingGroup, "ResetMarked", 176, 59, 97, 25, "Reset Marked");
  ResetMarked->setEnabled(false);

  OpenMinimized = MakeControl<QCheckBox>(page, "OpenMinimized", 144, 192, 0, 0, "Open Minimized");
  AutoClose = MakeControl<QCheckBox>(page, "AutoClose", 144, 216, 0, 0, "Auto close after");
  AutoCloseMin = MakeNumberField(page, "AutoCloseMin", "1", 242, 214, 2);
  AutoCloseMinUpDown = new TUpDown(AutoCloseMin, 1, 99, page);
  AutoCloseMinUpDown->setObjectName("AutoCloseMinUpDown");
  AutoCloseMinUpDown->SetPosition(1);
  Label1 = MakeLabel(page, "Label1", "minutes", 288, 216);
  CreateShortcut =
      MakeControl<QPushButton>(page, "CreateShortcut", 136, 248, 209, 36, "Create Shortcut in Startup folder");

  connect(execQty, &QLineEdit::textChanged, this, [this](const QString& text) {
    Values.TriggerQty = text.toStdString();
    Change(execQty);
  });
  connect(execTypeCB, &QComboBox::currentIndexChanged, this,
          [this](int index) { Values.Measure = TriggerMeasureAt(index); });
  connect(execTypeCB, &QComboBox::activated, this, [this] { Change(execTypeCB); });
  connect(AutoCloseMin, &QLineEdit::textChanged, this, [this](const QString& text) {
    Values.AutoCloseMinutes = text.toStdString();
    Change(AutoCloseMin);
  });
  connect(OpenMinimized, &QCheckBox::toggled, this, [this](bool on) {
    Values.OpenMinimized = on;
    Change(OpenMinimized);
  });
  connect(AutoClose, &QCheckBox::toggled, this, [this](bool on) {
    Values.AutoClose = on;
    Change(AutoClose);
  });
  // The radio buttons show the display order and record the user's choice.
  for (DisplayOrder order : {DisplayOrder::Sequential, DisplayOrder::Random, DisplayOrder::RandomCycle}) {
    QRadioButton* radio = OrderRadio(order);
    connect(radio, &QRadioButton::toggled, this, [this, order, radio](bool on) {
      if (!on) return;
      Values.Order = order;
      orderClick(radio);
    });
  }
  connect(ResetMarked, &QPushButton::clicked, this, Command([this] { ResetMarkedClick(ResetMarked); }));
  connect(CreateShortcut, &QPushButton::clicked, this, Command([this] { CreateShortcutClick(CreateShortcut); }));
}
