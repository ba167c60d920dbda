#include "ui/ui_state.h"

namespace kavadesk {

UiState& Ui() {
  // Never destroyed: the process often ends without unwinding the window.
  static UiState* state = new UiState();
  return *state;
}

}  // namespace kavadesk
