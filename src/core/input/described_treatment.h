#pragma once
// A treatment from its bootstrap result file: the eight heading fields, then
// the values, ended after B values or by a -1.
#include "core/analysis/treatment.h"
#include "core/common/field_reader.h"

namespace cpt {

// Reads values 1 to B + 1 (fewer at a -1 or at the end of the file) and keeps
// the first B, transformed as they are read. Value B + 1 counts in the
// ordering mean: divided by B + 1 when more values follow it, by B when the
// file ends right after it. Throws UserError naming the file and the field.
Treatment readDescribedTreatment(FieldReader& reader, Transformation transformation);

}  // namespace cpt
