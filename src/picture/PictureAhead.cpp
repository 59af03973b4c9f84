#include "picture/PictureAhead.h"

#include <chrono>

#include "picture/PictureLoader.h"

TPictureAhead::TPictureAhead(std::function<std::optional<TPictureRequest>()> predict)
    : request_(predicted_.get_future().share()) {
  picture_ = std::async(std::launch::async, [this, predict = std::move(predict)] {
    std::optional<TPictureRequest> request;
    try {
      request = predict();
    } catch (...) {
      // A prediction that fails decodes nothing; the load then decodes as it always did.
    }
    predicted_.set_value(request);
    return request ? LoadPictureFor(request->name, request->target) : TScaledPicture{};
  });
}

TPictureAhead::~TPictureAhead() {
  if (picture_.valid()) picture_.wait();
}

std::optional<TScaledPicture> TPictureAhead::Take(const std::string& name, const std::optional<TDecodeTarget>& target) {
  if (taken_) return std::nullopt;
  taken_ = true;
  const std::optional<TPictureRequest>& request = request_.get();
  if (!request || !target || request->name != name || !(request->target == *target)) return std::nullopt;
  return picture_.get();
}

bool TPictureAhead::Spent() const {
  return taken_ && (!picture_.valid() || picture_.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
}
