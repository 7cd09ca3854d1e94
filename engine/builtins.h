#pragma once
// What each built-in id computes. The grammar resolves the name, reads the arguments and then
// calls these.
#include "engine/engine_state.h"

// The one-argument dispatcher: computes the row's value into Arg1 and returns it. NameStart is
// the 1-based position of the name's first character: a failed call is marked from there to the
// failure point. Ids it has no case for leave Arg1 unchanged.
Extended CallBuiltin(int Id, Extended& Arg1, Extended Arg2, int NameStart);

// The two- and three-argument rows, computed by the grammar right after CallBuiltin; a row that
// takes a third argument reads it from the text (after one more ',') through Expression. Answers
// false when Id is not such a row; otherwise sets Value. A failed call is marked as by
// CallBuiltin, except that an error inside the third argument keeps its own span.
bool CallMultiArgBuiltin(int Id, Extended& Value, Extended Arg1, Extended Arg2, int NameStart);

// Marks a failed call from its name's first character (NameStart) to the failure point.
void MarkCall(int NameStart);
