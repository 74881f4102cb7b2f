#include "records/NoteData.h"

namespace vr {

bool NoteData::IsFinished() const { return AttrInt(attr, "nf") != 0; }

void NoteData::SetFinished(bool finished) { SetAttrInt(attr, "nf", finished ? 1 : 0); }

}  // namespace vr
