#include "platform/desktop/LayoutCanvas.h"

#include <QBuffer>
#include <system_error>

#include "platform/desktop/DesktopBackend.h"
#include "platform/desktop/x11/RootPicture.h"
#include "platform/system/AtomicFile.h"

const std::string& WriteLayoutCanvas(const std::string& backend, const std::vector<MonitorWallpaper>& monitors) {
  const QImage canvas = ComposeLayoutCanvas(monitors);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (canvas.isNull() || !canvas.save(&buffer, "BMP"))
    ThrowBackendError(backend, DesktopFailure::Refused, "no canvas of the monitors could be made");
  const std::string& file = monitors.front().file;
  try {
    WriteFileAtomically(file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  } catch (const std::system_error& error) {
    ThrowBackendError(backend, DesktopFailure::Refused, file + " cannot be written: " + error.code().message());
  }
  return file;
}
