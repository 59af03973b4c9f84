// A random source that answers from a script and records the ranges it was asked for.
// Running out of answers throws, so a loop that keeps drawing fails the test instead of
// hanging it.
#pragma once

#include <deque>
#include <stdexcept>
#include <vector>

#include "agent/RandomSource.h"

class TScriptedRandom final : public IRandomSource {
 public:
  TScriptedRandom(std::initializer_list<int> answers) : answers_(answers) {}

  int Next(int n) override {
    asked.push_back(n);
    if (answers_.empty()) throw std::logic_error("random script exhausted");
    const int answer = answers_.front();
    answers_.pop_front();
    if (answer < 0 || answer >= n) throw std::logic_error("scripted answer outside 0..n-1");
    return answer;
  }

  void Add(std::initializer_list<int> answers) { answers_.insert(answers_.end(), answers); }
  bool Exhausted() const { return answers_.empty(); }
  std::vector<int> asked;

 private:
  std::deque<int> answers_;
};
