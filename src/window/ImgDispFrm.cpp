#include "window/ImgDispFrm.h"

#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "picture/PictureErrors.h"
#include "picture/PictureFormat.h"
#include "picture/PictureLoader.h"
#include "picture/TGIFImage.h"
#include "widgets/DesignedControls.h"
#include "widgets/PaintBox.h"
#include "window/ViewerLayout.h"

namespace {

// Unlike LoadPicture, only a file that cannot be opened (and any GIF failure) gives an
// empty picture: a corrupt bitmap, JPEG, PNG or WebP is an error the user is shown.
QImage DecodeForViewer(const std::string& name) {
  try {
    if (PictureFormatOf(name) == PictureFormat::Gif) {
      TGIFImage gif;
      return gif.LoadFromFile(name) ? gif.Bitmap() : QImage();
    }
    return DecodeStillPicture(name);
  } catch (const TFileOpenError&) {
    return {};
  }
}

}  // namespace

TImgDispForm::TImgDispForm(const IScreenMetrics& screen, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      screen_(screen) {
  setObjectName("ImgDispForm");
  // The places of the controls are laid out for an 8-point font.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);

  Close = MakeControl<QPushButton>(this, "Close", 0, 0, 65, 25, "Close");
  Close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  connect(Close, &QPushButton::clicked, this, [this] { CloseClick(); });

  PaintBox1 = new TPaintBox(this);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->OnPaint = [this](QPainter& painter) { PaintBox1Paint(painter); };
  PaintBox1->OnClick = [this] { CloseClick(); };
  // The button row overlaps the picture's top row; the button stays in front.
  Close->raise();

  Arrange(ViewerLayout(QSize(), QSize(), screen_.LogicalScreenSize()));
}

void TImgDispForm::LoadImage(const std::string& name) {
  // Decoding comes first, so an error leaves the window showing the previous picture.
  QImage picture = DecodeForViewer(name);
  const QSize frameExtra = frameGeometry().size() - size();
  const ViewerGeometry geometry = ViewerLayout(picture.size(), frameExtra, screen_.LogicalScreenSize());

  ShowImageName = name;
  ViewBitmap = std::move(picture);
  Arrange(geometry);
  const QString caption = QString::fromStdString(name);
  setWindowTitle(caption);
  setToolTip(caption);
  PaintBox1->update();
}

void TImgDispForm::Arrange(const ViewerGeometry& geometry) {
  setFixedSize(geometry.client);
  Close->move(geometry.closeLeft, 0);
  PaintBox1->setGeometry(geometry.paintBox);
  move(geometry.window);
}

void TImgDispForm::CloseClick() { hide(); }

void TImgDispForm::PaintBox1Paint(QPainter& painter) const { painter.drawImage(0, 0, ViewBitmap); }
