#include "sweep/run_report.h"

#include <fstream>
#include <regex>

namespace tvz::testing {

namespace {

// A box's text on one line: its line breaks and backslashes escaped.
std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else out += c;
  }
  return out;
}

std::string Unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      out += text[i + 1] == 'n' ? '\n' : text[i + 1];
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace

bool WriteReport(const std::string& path, const RunReport& r) {
  std::ofstream out(path, std::ios::trunc);
  out << "board " << r.boardUp << "\nchampions " << r.champions << "\nended " << r.ended << "\nstalled "
      << r.stalled << "\nfileOpened " << r.fileOpened << "\ncrowned " << r.crowned << "\nchampionKept "
      << r.championKept << "\nsteps " << r.steps << "\nlongestGap "
      << r.longestGap << "\n";
  for (int code : r.codes) out << "code " << code << "\n";
  for (const RunReport::Box& box : r.boxes) out << "box " << box.afterTheWindow << Escaped(box.text) << "\n";
  for (const std::string& name : r.opened) out << "opened " << name << "\n";
  // The last line says the report is whole.
  out << "end\n";
  return static_cast<bool>(out.flush());
}

std::optional<RunReport> ReadReport(const std::string& path) {
  std::ifstream in(path);
  RunReport r;
  bool whole = false;
  for (std::string line; std::getline(in, line);) {
    const std::size_t space = line.find(' ');
    const std::string key = line.substr(0, space);
    const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
    auto flag = [&] { return value == "1"; };
    if (key == "board") r.boardUp = flag();
    else if (key == "champions") r.champions = flag();
    else if (key == "ended") r.ended = flag();
    else if (key == "stalled") r.stalled = flag();
    else if (key == "fileOpened") r.fileOpened = flag();
    else if (key == "crowned") r.crowned = flag();
    else if (key == "championKept") r.championKept = flag();
    else if (key == "steps") r.steps = std::stoi(value);
    else if (key == "longestGap") r.longestGap = std::stoi(value);
    else if (key == "code") r.codes.push_back(std::stoi(value));
    else if (key == "box" && !value.empty()) r.boxes.push_back({Unescaped(value.substr(1)), value[0] == '1'});
    else if (key == "opened") r.opened.push_back(value);
    else if (key == "end") whole = true;
  }
  if (!whole) return std::nullopt;
  return r;
}

std::vector<int> LocationCodes(const std::string& errorLog) {
  static const std::regex kLocation("Locn: (-?[0-9]+)");
  std::vector<int> codes;
  for (std::sregex_iterator it(errorLog.begin(), errorLog.end(), kLocation), end; it != end; ++it)
    codes.push_back(std::stoi((*it)[1].str()));
  return codes;
}

}  // namespace tvz::testing
