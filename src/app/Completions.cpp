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
  // The options followed by one file name, and those followed by any number, as " --set ".
  std::string one = " ";
  std::string rest = " ";
  for (const TCommandOption& option : CommandOptions()) {
    words += (words.empty() ? "" : " ") + Spellings(option, " ");
    if (option.TakesPaths()) (option.TakesRest() ? rest : one) += std::string("--") + option.name + " ";
  }
  // One option at a time: after the first, only the file names an option takes. A first word
  // that is no option is a file to open.
  return "# bash completion for tesserine\n"
         "_tesserine() {\n"
         "  COMPREPLY=()\n"
         "  local cur=\"${COMP_WORDS[COMP_CWORD]}\" first=\" ${COMP_WORDS[1]} \"\n"
         "  if [ \"$COMP_CWORD\" -eq 1 ] && [ -n \"$cur\" ] && [ \"${cur#-}\" = \"$cur\" ] ||\n"
         "     { [ \"$COMP_CWORD\" -eq 2 ] && [[ " +
         SingleQuoted(one) +
         " == *\"$first\"* ]]; } ||\n"
         "     { [ \"$COMP_CWORD\" -ge 2 ] && [[ " +
         SingleQuoted(rest) +
         " == *\"$first\"* ]]; }; then\n"
         "    compopt -o filenames 2>/dev/null\n"
         "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "    return 0\n"
         "  fi\n"
         "  [ \"$COMP_CWORD\" -eq 1 ] || return 0\n"
         "  COMPREPLY=($(compgen -W " +
         SingleQuoted(words) +
         " -- \"$cur\"))\n"
         "}\n"
         "complete -F _tesserine tesserine\n";
}

std::string ZshCompletion() {
  std::string text =
      "#compdef tesserine\n# One option at a time: each excludes every other; file names alone are opened.\n"
      "_arguments";
  for (const TCommandOption& option : CommandOptions()) {
    const std::string spelling = option.shortName ? "{-" + std::string(option.shortName) + ",--" + option.name + "}"
                                                  : "--" + std::string(option.name);
    // ":file:_files" completes one file name, ":*:path:_files" every word after the option.
    const std::string value = !option.TakesPaths() ? "" : option.TakesRest() ? ":*:path:_files" : ":file:_files";
    text += " \\\n  '(- *)'" + spelling + SingleQuoted("[" + ZshDescription(option.description) + "]" + value);
  }
  return text + " \\\n  '*:picture:_files'\n";
}

std::string FishCompletion() {
  // File names where the options are done: after those that take paths, and alone (to open).
  std::string text = "# fish completion for tesserine: the options, and file names.\n";
  for (const TCommandOption& option : CommandOptions()) {
    text += "complete -c tesserine";
    if (option.shortName) text += std::string(" -s ") + option.shortName;
    if (option.TakesPaths()) text += " -r -F";
    text += std::string(" -l ") + option.name + " -d " + FishQuoted(option.description) + "\n";
  }
  return text;
}
