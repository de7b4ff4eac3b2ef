// A system's study results as text tables, beside the one-equation tables of text_table.h:
// two columns wherever one equation has one (y1, y2; exact1, exact2; M.1, M.2).
#pragma once

#include <vector>

#include "study/system_convergence.h"
#include "study/system_stability.h"
#include "study/system_steps.h"
#include "study/text_table.h"

namespace kemi::study {

// method,N,h,x,y1,y2,exact1,exact2,error,observed_order,evaluations,stable,resolved,accuracy,
// invariant_drift; reference1,reference2 for a reference.
TextTable systemConvergenceText(const std::vector<SystemConvergenceRow>& rows, bool exact);
// i,x,y1,y2,exact1,exact2,error,local_error,invariant,k1.1,k1.2,...,k6.1,k6.2,accuracy.
TextTable systemStepText(const SystemStepTable& table);
// i,x,exact1,exact2, then M.1,M.2 for each polygon.
TextTable systemCompareText(const std::vector<double>& xs, const std::vector<Vec2>& solution,
                            bool exact, const std::vector<SystemPolygon>& polygons);
// method,order,evaluations,stability_limit,imag_limit,lambda_re,lambda_im,h_limit,n_min.
TextTable systemStabilityText(const std::vector<SystemStabilityRow>& rows);
// One sentence per method that no positive h keeps stable: where h*lambda leaves its region
// and how much one step of h = 0.1 multiplies by, in words when that is too little to see.
std::vector<std::string> systemStabilityNotes(const std::vector<SystemStabilityRow>& rows);
// The preset systems as rows of equationsText's columns id,f,x0,y0,exact,x1.
void appendSystemRows(TextTable& equations);

}  // namespace kemi::study
