// Memory for pictures the size of a screen and more. A fresh 1920x1080 picture is 8 MB that
// the kernel hands out page by page as it is first written: two thousand page faults, which
// on a busy virtual machine take longer than decoding the JPEG. Such a picture is given memory
// of its own, mapped on a 2 MiB boundary and offered to the kernel for 2 MiB pages, so that
// its first writing takes four faults where the kernel grants them.
#pragma once

#include <QImage>
#include <QSize>

// A new image of size and format, with the row length QImage gives it; pictures of 2 MiB and
// more get memory of their own as above, smaller ones QImage's own. A null image when the
// memory cannot be had or size is empty.
QImage AllocateImage(QSize size, QImage::Format format);
