#include "clips/ClipInsertion.h"

#include "clips/CaptureRules.h"

void InsertClipping(const CListBox& list, ClipTextCensus& census, const char* text, bool removeDuplicate) {
    if (removeDuplicate && census.MayContain(text)) {
        // The list's own search finds candidates equal but for case; the exact comparison
        // keeps "HELLO" when "hello" is captured.
        const int duplicate = capture::FindNewestExactDuplicate(
            text, [&list, text](int after) { return list.FindStringExact(after, text); },
            [&list](int index) { return list.GetText(index); });
        if (duplicate >= 0 && list.DeleteString(duplicate) != LB_ERR) census.Remove(text);
    }
    if (list.InsertString(0, text) >= 0) census.Add(text);
}
