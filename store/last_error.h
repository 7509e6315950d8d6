#pragma once
// Setting the calling thread's result code; every store operation ends through it.

namespace store {

// Records the code as the thread's last result and returns it.
int setLastStoreError(int resultCode);

}  // namespace store
