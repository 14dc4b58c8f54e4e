#pragma once
// The objects behind the forms and controls, as the page backend has them: the page's own
// elements (services/PageElement.h) and the clock's timers. Only the backend touches them.
namespace ui {

class PageElement;
class PageTimer;

namespace native {
using Widget = PageElement;
using Label = PageElement;
using Button = PageElement;
using Action = PageElement;
using Timer = PageTimer;
}  // namespace native

}  // namespace ui
