// The lab page's computing, plain C++ over the study library: the setup as the page's address
// and controls hold it (texts), read with what could not be used, and each tab's table as
// exactly the CSV bytes `kemi-lab` writes for the same equation and options.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "study/problem.h"

namespace kemi::web {

// Every field as text, as in the address: eq (a preset id) or f, x0, y0, exact (typed), x1, n
// (Solution and Steps), maxn (Convergence), method (Steps), methods (ids separated by commas).
struct LabSetup {
  std::string eq, f, x0, y0, exact, x1, n, maxn, method, methods;
};

struct SetupReading {
  LabSetup setup;                    // every field usable: what was asked, or its default
  std::vector<std::string> ignored;  // "n: ...", one sentence per parameter not used
};

// Reads a setup; empty fields take their defaults silently, refused ones with a sentence.
SetupReading readSetup(const LabSetup& asked);

// A table as `kemi-lab` writes it; `notes` are the lines it writes on standard error, `error`
// the refusal when nothing could be computed.
struct TableText {
  std::string csv;
  std::vector<std::string> notes;
  std::string error;
};

// These take a setup that readSetup returned.
TableText compareCsv(const LabSetup& setup);    // kemi-lab compare
TableText stepsCsv(const LabSetup& setup);      // kemi-lab steps
TableText stabilityCsv(const LabSetup& setup);  // kemi-lab stability
// kemi-lab convergence; `row` gets each row's CSV line as soon as it is final. Without a
// header when `withHeader` is false, so that one sweep per method joins into the whole table.
TableText convergenceCsv(const LabSetup& setup, bool withHeader,
                         const std::function<void(const std::string&)>& row);

// The problem a read setup describes.
study::Problem setupProblem(const LabSetup& setup);

}  // namespace kemi::web
