#pragma once
// The heading control: a static text in the heading look (large, dark red) that StaticText
// gives every control it takes over. It adds nothing of its own.
#include "winlib/StaticText.h"

namespace Knihovna {

class StaticNadpis : public Tarnel::WinApi::StaticText {};

} // namespace Knihovna
