#include "app/Completions.h"

#include "app/CommandLine.h"

namespace {

// Every spelling of each option, "-h" before "--help".
std::string Spellings(const TCommandOption& option, const char* separator) {
  std::string words = option.shortName ? std::string("-") + option.shortName + separator : std::string();
  return words + "--" + option.name;
}

// text in single quotes for sh, zsh and fish alike: each quote closes, is escaped, reopens.
std::string SingleQuoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A description inside zsh's "[...]", where brackets and colons end it.
std::string ZshDescription(const char* description) {
  std::string out;
  for (const char* c = description; *c; ++c) {
    if (*c == '[' || *c == ']' || *c == ':' || *c == '\\') out += '\\';
    out += *c;
  }
  return out;
}

// text in fish's single quotes, inside which a quote and a backslash are escaped.
std::string FishQuoted(const char* text) {
  std::string out = "'";
  for (const char* c = text; *c; ++c) {
    if (*c == '\'' || *c == '\\') out += '\\';
    out += *c;
  }
  return out + "'";
}

}  // namespace

std::string BashCompletion() {
  std::string words;
  for (const TCommandOption& option : CommandOptions()) words += (words.empty() ? "" : " ") + Spellings(option, " ");
  // One option at a time: nothing is offered after the first.
  return "# bash completion for tesserine\n"
         "_tesserine() {\n"
         "  COMPREPLY=()\n"
         "  [ \"$COMP_CWORD\" -eq 1 ] || return 0\n"
         "  COMPREPLY=($(compgen -W " +
         SingleQuoted(words) +
         " -- \"${COMP_WORDS[COMP_CWORD]}\"))\n"
         "}\n"
         "complete -F _tesserine tesserine\n";
}

std::string ZshCompletion() {
  std::string text = "#compdef tesserine\n# One option at a time: each excludes every other.\n_arguments";
  for (const TCommandOption& option : CommandOptions()) {
    const std::string spelling = option.shortName ? "{-" + std::string(option.shortName) + ",--" + option.name + "}"
                                                  : "--" + std::string(option.name);
    text += " \\\n  '(- *)'" + spelling + SingleQuoted("[" + ZshDescription(option.description) + "]");
  }
  return text + "\n";
}

std::string FishCompletion() {
  std::string text = "# fish completion for tesserine: options only, no file names.\ncomplete -c tesserine -f\n";
  for (const TCommandOption& option : CommandOptions()) {
    text += "complete -c tesserine";
    if (option.shortName) text += std::string(" -s ") + option.shortName;
    text += std::string(" -l ") + option.name + " -d " + FishQuoted(option.description) + "\n";
  }
  return text;
}
