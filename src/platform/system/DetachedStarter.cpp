#include "platform/system/DetachedStarter.h"

#include <QProcessEnvironment>
#include <QStringList>
#include <optional>

#include "platform/system/DetachedProcess.h"

namespace {

constexpr int kPollMs = 200;

}  // namespace

TDetachedStarter::TDetachedStarter() {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, [this] { ReapEnded(); });
}

void TDetachedStarter::Start(const TProcessStart& start, std::function<void(int status)> ended) {
  QStringList arguments;
  for (const std::string& argument : start.arguments) arguments << QString::fromStdString(argument);
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] : start.environment)
    environment.insert(QString::fromStdString(name), QString::fromStdString(value));
  const pid_t pid =
      StartDetached(QString::fromStdString(start.program), arguments, environment, DetachedOutput::ToStandardError);
  children_.push_back({pid, std::move(ended)});
  poll_.start();
}

void TDetachedStarter::ReapEnded() {
  std::vector<std::pair<std::function<void(int status)>, int>> endedNow;
  std::vector<Child> running;
  for (Child& child : children_) {
    if (const std::optional<int> status = ExitWithin(child.pid, 0))
      endedNow.emplace_back(std::move(child.ended), *status);
    else
      running.push_back(std::move(child));
  }
  children_ = std::move(running);
  if (children_.empty()) poll_.stop();
  // Told last: a listener may start another program.
  for (const auto& [ended, status] : endedNow) ended(status);
}
