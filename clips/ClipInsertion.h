#pragma once
// Putting one captured text at the top of a clip list, shared by the view and the benchmark.
#include "clips/ClipTextCensus.h"
#include "framework/CListBox.h"

// Inserts the text as item 0 and counts it in the census. With removeDuplicate, the newest
// item whose text equals it byte for byte is removed first (at most one); the list is
// searched only when the census says such an item may exist.
void InsertClipping(const CListBox& list, ClipTextCensus& census, const char* text, bool removeDuplicate);
