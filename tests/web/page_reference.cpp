// The native build's answers for the page's module tests: reads runs from standard input, one
// a line as x0, y0, x1, N and the method's index separated by tabs, runs them in one session in
// order and prints one JSON object a line with what the page would show.
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

#include "web/page_session.h"

namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      constexpr const char* kHex = "0123456789abcdef";
      out += "\\u00";
      out += kHex[(c >> 4) & 0xF];
      out += kHex[c & 0xF];
    } else {
      out += c;
    }
  }
  return out + '"';
}

const char* boolean(bool b) {
  return b ? "true" : "false";
}

}  // namespace

int main() {
  kemi::PageSession session;
  for (std::string line; std::getline(std::cin, line);) {
    std::istringstream fields(line);
    kemi::Entries e;
    std::string method;
    std::getline(fields, e.x0, '\t');
    std::getline(fields, e.y0, '\t');
    std::getline(fields, e.x1, '\t');
    std::getline(fields, e.N, '\t');
    std::getline(fields, method, '\t');
    const kemi::PageRun r = session.run(e, std::stoul(method));
    std::string lines;
    for (const std::string& l : r.lines) lines += (lines.empty() ? "" : ",") + quoted(l);
    const std::size_t count = std::size_t{kemi::kPictureWidth} * kemi::kPictureHeight;
    std::cout << "{\"stepSizeShown\":" << boolean(r.stepSizeShown)
              << ",\"stepSize\":" << quoted(r.stepSize) << ",\"lines\":[" << lines
              << "],\"completed\":" << boolean(r.completed) << ",\"cause\":" << quoted(r.cause)
              << ",\"redrawn\":" << boolean(r.redrawn)
              << ",\"description\":" << quoted(r.description) << ",\"pictureHash\":\""
              << kemi::pictureHash(session.pixels(), count) << "\"}\n";
  }
}
