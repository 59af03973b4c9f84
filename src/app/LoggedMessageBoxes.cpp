#include "app/LoggedMessageBoxes.h"

#include <QEventLoop>
#include <QFile>
#include <QTextStream>

#include "widgets/QtMessageBoxes.h"

namespace {

const char* KindName(MsgKind kind) {
  switch (kind) {
    case MsgKind::Confirmation:
      return "confirmation";
    case MsgKind::Error:
      return "error";
    case MsgKind::Information:
      break;
  }
  return "information";
}

MsgAnswer ParseAnswer(const QString& text) {
  const QString word = text.trimmed().toLower();
  if (word == "yes") return MsgAnswer::Yes;
  if (word == "cancel") return MsgAnswer::Cancel;
  if (word == "ok") return MsgAnswer::Ok;
  return MsgAnswer::No;
}

}  // namespace

TLoggedMessageBoxes::TLoggedMessageBoxes(QString logFile, QStringList answers)
    : logFile_(std::move(logFile)), answers_(std::move(answers)) {}

MsgAnswer TLoggedMessageBoxes::Show(const QString& text, MsgKind kind, MsgButtons buttons,
                                    std::optional<QPoint> topLeft) {
  QFile file(logFile_);
  if (file.open(QIODevice::Append | QIODevice::Text)) {
    QTextStream out(&file);
    const QString place = topLeft ? QString("%1,%2").arg(topLeft->x()).arg(topLeft->y()) : QString();
    out << KindName(kind) << '\t' << place << '\t' << QString(text).replace('\n', ' ') << '\n';
  }
  if (!answers_.isEmpty()) {
    const QString answer = answers_.takeFirst();
    if (answer.trimmed().compare("wait", Qt::CaseInsensitive) != 0) return ParseAnswer(answer);
    // Nobody answers: the box's loop runs until the application ends every loop, and a real
    // box ended that way reports OK.
    QEventLoop().exec();
    return MsgAnswer::Ok;
  }
  return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

std::unique_ptr<IMessageBoxes> CreateMessageBoxes() {
  const QString log = qEnvironmentVariable("TESSERINE_MESSAGE_LOG");
  if (log.isEmpty()) return std::make_unique<TQtMessageBoxes>();
  QStringList answers = qEnvironmentVariable("TESSERINE_TEST_ANSWERS").split(',', Qt::SkipEmptyParts);
  return std::make_unique<TLoggedMessageBoxes>(log, answers);
}
