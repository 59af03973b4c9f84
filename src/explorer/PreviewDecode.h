// How much of a picture the Image Explorer's preview decodes. Shrink shows a large picture
// reduced to the box with its proportions kept, so a JPEG, PNG or WebP is decoded no larger
// than that (DecodeStillPictureFor's reduced decode); Tile and Stretch take the whole picture, Tile showing
// it pixel for pixel. The size labels and the fit caption go by the size the file states,
// never by the decoded size.
#pragma once

#include <QImage>
#include <QSize>
#include <optional>
#include <string>

#include "explorer/PreviewPlacement.h"
#include "picture/DecodeScale.h"

// What the preview shows of the chosen file: nothing (no file, a folder, or a file it does not
// read: a picture format other than a bitmap's named as a bitmap), a GIF through its own
// control, or a picture in the preview box.
enum class PreviewKind { None, Gif, Picture };
PreviewKind PreviewKindOf(const std::string& name, bool isFolder);

// The reduced decode that serves mode in box: Shrink in a box with room, the box with the
// picture's proportions kept; none (the whole picture) otherwise.
std::optional<TDecodeTarget> PreviewDecodeTarget(PreviewMode mode, QSize box);

// The picture on preview: the file it came from, the decoded pixels and the size the file
// states.
struct TPreviewPicture {
  std::string name;
  QImage picture;
  QSize fileSize{0, 0};
  // The decode is smaller than the file's picture.
  bool Reduced() const { return picture.size() != fileSize; }
};

// Whether held already shows name under wanted: the same file, and either decoded whole
// (which serves every mode) or reduced to at least the size wanted shows it at, so that a
// box that grows decodes again and one that shrinks does not.
bool PreviewServes(const TPreviewPicture& held, const std::string& name, const std::optional<TDecodeTarget>& wanted);

// The file at name decoded as DecodeStillPicture does, reduced for wanted when there is
// one; an empty picture when the file cannot be opened. Throws the other errors of
// DecodeStillPicture.
TPreviewPicture LoadPreviewPicture(const std::string& name, const std::optional<TDecodeTarget>& wanted);

// Whether a picture of fileSize is wider or taller than box: Shrink reduces it.
bool LargerThanBox(QSize fileSize, QSize box);
