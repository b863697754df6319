#ifndef SMBOPENER_LINK_EXPLORER_MODEL_H_
#define SMBOPENER_LINK_EXPLORER_MODEL_H_

// How Explorer reads its parameters, as a model for tests and fuzzers (the
// program itself never parses them this way): fields are separated by ','
// and '='; a double-quoted stretch may hold both; quotes are otherwise
// dropped, and "" inside quotes is one literal quote; blanks and tabs at each
// field's ends are ignored; a field led by '/' is a switch; the first other
// field is the object, and later ones are ignored.

#include <string>
#include <vector>

struct ExplorerCommand {
  std::vector<std::string> switches;  // in order, '/' included
  std::vector<std::string> objects;   // Explorer opens the first, if any
};

inline std::string TrimBlanksAndTabs(const std::string& s) {
  const std::size_t begin = s.find_first_not_of(" \t");
  if (begin == std::string::npos) return "";
  return s.substr(begin, s.find_last_not_of(" \t") - begin + 1);
}

inline ExplorerCommand ParseExplorerParameters(const std::string& text) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
    } else if (!quoted && (c == ',' || c == '=')) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  ExplorerCommand command;
  for (const std::string& raw : fields) {
    const std::string field = TrimBlanksAndTabs(raw);
    if (field.empty()) continue;
    (field[0] == '/' ? command.switches : command.objects).push_back(field);
  }
  return command;
}

#endif  // SMBOPENER_LINK_EXPLORER_MODEL_H_
