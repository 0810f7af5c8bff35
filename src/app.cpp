#include "app.h"

namespace brasket {

App::App(Platform& p) : platform(p) { registerallhandlers(handlers); }

}  // namespace brasket
