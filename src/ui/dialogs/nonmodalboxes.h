#pragma once
// Modeless message boxes close themselves through the non-modal box
// collection; these put a box there and take it out again.
namespace platform {
class FormBase;
}

// Adds the box to the collection and writes its number into the box's "Tag"
// property; returns the number.
int utNonModalBoxRegister(platform::FormBase* box);
// Unloads the box through the collection by the number in its tag; a box
// that was never registered unloads itself rather than staying open.
void utNonModalBoxClose(platform::FormBase* box);
