#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <functional>

#include "explorer/PreviewDecode.h"
#include "explorer/PreviewPlacement.h"
#include "widgets/FolderPath.h"
#include "widgets/PaintBox.h"
#include "widgets/TFileListViewDlg.h"
#include "widgets/TGIFImageView.h"
#include "window/Tessel.h"

namespace {

const QString kFitShrink = QStringLiteral("Fit (SHRINK)");
const QString kFitFullSize = QStringLiteral("Fit (FULLSIZE)");

// The size from the file's directory entry; empty when there is none (a dangling link).
QString FileSizeText(const std::string& fileName) {
  const QFileInfo info(QString::fromStdString(fileName));
  return info.exists() ? QString::number(info.size()) : QString();
}

}  // namespace

void TTesselForm1::FileListViewDlg1FileSelect2() {
  const auto busy = BusySection(BusyCounter);
  IMWidth->clear();
  IMHeight->clear();
  const std::string name = FileListViewDlg1->SelectedFileName().toStdString();
  const PreviewKind kind = PreviewKindOf(name, IsFolderPath(name));
  IMSize->setText(kind == PreviewKind::None ? QString() : FileSizeText(name));
  // By PreviewKind.
  const std::function<void()> show[] = {[] {}, [this, &name] { ShowGif(name); }, [this, &name] { ShowPicture(name); }};
  show[static_cast<int>(kind)]();
  const bool previewable = kind != PreviewKind::None;
  IMShrink->setEnabled(previewable);
  IMTile->setEnabled(previewable);
  IMStretch->setEnabled(previewable);
  SetButtons();
}

void TTesselForm1::ShowGif(const std::string& name) {
  IMPaintBox1->hide();
  if (name != PreviewFile) {
    PreviewFile = name;
    IMGifImage1->LoadFromFile(name);
  }
  IMGIFAttributes();
  IMAnimate->setEnabled(IMGifImage1->FrameCount() > 1);
  IMGifImage1->SetAnimate(IMAnimate->isChecked());
  IMGifImage1->show();
  IMWidth->setNum(IMGifImage1->PictureWidth());
  IMHeight->setNum(IMGifImage1->PictureHeight());
}

void TTesselForm1::ShowPicture(const std::string& name) {
  IMAnimate->setEnabled(false);
  IMGifImage1->SetAnimate(false);
  IMGifImage1->hide();
  IMPaintBox1->show();
  PreviewFile = name;
  LoadPreview(name);
  IMWidth->setNum(PreviewPicture.fileSize.width());
  IMHeight->setNum(PreviewPicture.fileSize.height());
  ShowPreviewFit();
}

void TTesselForm1::IMGIFAttributes() {
  IMGifImage1->SetTile(IMTile->isChecked());
  IMGifImage1->SetStretch(IMStretch->isChecked());
  const bool shrink = IMShrink->isChecked() && (IMGifImage1->width() < IMGifImage1->PictureWidth() ||
                                                IMGifImage1->height() < IMGifImage1->PictureHeight());
  IMGifImage1->SetStretchRatio(shrink);
  IMShrink->setText(shrink ? kFitShrink : kFitFullSize);
}

void TTesselForm1::LoadPreview(const std::string& fileName) {
  const std::optional<TDecodeTarget> wanted = PreviewDecodeTarget(ExplorerPreviewMode(), IMPaintBox1->size());
  if (PreviewServes(PreviewPicture, fileName, wanted)) return;
  // The old picture goes first so that two large ones are never held at once.
  PreviewPicture = TPreviewPicture();
  PreviewPicture = LoadPreviewPicture(fileName, wanted);
}

void TTesselForm1::IMPaintBox1Resize() {
  if (IMPaintBox1->isHidden() || PreviewFile.empty() || PreviewPicture.name != PreviewFile) return;
  const auto busy = BusySection(BusyCounter);
  LoadPreview(PreviewFile);
  ShowPreviewFit();
}

void TTesselForm1::ShowPreviewFit() {
  IMShrink->setText(LargerThanBox(PreviewPicture.fileSize, IMPaintBox1->size()) ? kFitShrink : kFitFullSize);
  IMPaintBox1->update();
}

PreviewMode TTesselForm1::ExplorerPreviewMode() const {
  if (IMTile->isChecked()) return PreviewMode::Tile;
  return IMStretch->isChecked() ? PreviewMode::Stretch : PreviewMode::Shrink;
}

void TTesselForm1::IMPaintBox1Paint(QPainter& painter) {
  if (ExplorerReadPending) {
    IMPanelLoading->show();
    FileListViewDlg1->SetReadEnabled(true);
    FileListViewDlg1->Reread();
    ExplorerReadPending = false;
    IMPanelLoading->hide();
  }
  if (PreviewPicture.picture.isNull()) return;
  // Placed by the file's size: a reduced decode is drawn where the whole picture would be.
  const TPreviewPlacement placement = PlacePreview(ExplorerPreviewMode(), PreviewPicture.fileSize, IMPaintBox1->size());
  // By TPreviewPlacement::Kind.
  const std::function<void()> draw[] = {
      [] {}, [&] { painter.drawTiledPixmap(IMPaintBox1->rect(), QPixmap::fromImage(PreviewPicture.picture)); },
      [&] {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(placement.target, PreviewPicture.picture);
      }};
  draw[static_cast<int>(placement.kind)]();
}
