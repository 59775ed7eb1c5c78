// One copy of the program per user, and one per program folder across
// users: the folder's year files are rewritten whole, so two copies over
// one folder would lose whichever saved first.
#pragma once
#include <windows.h>

enum StartClaim {
    claim_first,           // this copy runs; the claim is held until release_start_claim
    claim_running_here,    // this user's calendar already runs
    claim_folder_in_use,   // another copy (another user's, say) holds the folder
};

// The user's mutex first, then the folder's lock file (the program folder
// must be known).
StartClaim claim_start();
void release_start_claim();

// The running calendar of this user comes forward; a hidden one stays
// hidden and gets no keys.
void bring_running_forward();

// The message for a folder another copy holds; its caption is the
// program's error caption.
void tell_folder_in_use();

// No DLL that system code loads by name comes from the exe's folder (a
// download folder may hold anything).
void restrict_dll_search();
