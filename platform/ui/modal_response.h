// The result of a modal session, a sheet or an alert: ok 1, cancel 0, alert buttons 1000 + their index.
#pragma once

namespace ui {

using ModalResponse = long;

namespace ModalResponses {
constexpr ModalResponse cancel = 0;
constexpr ModalResponse ok = 1;
constexpr ModalResponse alertFirstButton = 1000;
constexpr ModalResponse alertSecondButton = 1001;
constexpr ModalResponse alertThirdButton = 1002;
constexpr ModalResponse stop = -1000;
constexpr ModalResponse abort = -1001;
}  // namespace ModalResponses

}  // namespace ui
