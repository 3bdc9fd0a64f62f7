#include "web/message_box.h"

namespace sorvane::web {

MessageBox::MessageBox(val parent, const Reporter& report)
    : dialog_(AddElement(parent, "dialog", "Message")), showOnReturn_([this] {
          if (!Open()) ShowNext();
      }, report)
{
    dialog_.call<void>("setAttribute", val("role"), val("alertdialog"));
    dialog_.call<void>("setAttribute", val("aria-labelledby"), val("Message_Caption"));
    dialog_.call<void>("setAttribute", val("aria-describedby"), val("Message_Text"));
    val caption = AddElement(dialog_, "div", "Message_Caption");
    caption.set("className", val("caption"));
    caption.set("textContent", val("Sorvane"));
    text_ = AddElement(dialog_, "p", "Message_Text");
    val buttons = AddElement(dialog_, "div");
    buttons.set("className", val("buttons"));
    val ok = AddElement(buttons, "button", "Message_OK");
    ok.set("type", val("button"));
    ok.set("textContent", val("OK"));
    ok.set("className", val("command"));
    ok.set("autofocus", true);

    listeners_.emplace_back(ok, "click", [this](val) { dialog_.call<void>("close"); }, report);
    // OK, Escape or the browser closing it: each ends in "close".
    listeners_.emplace_back(dialog_, "close", [this](val) { Dismissed(); }, report);
    // A message that comes while another window has the focus (the folder picker as it closes) opens once the
    // page has it back, a frame after the window's own focus: a screen reader ignores a focus in a window that
    // is not yet active, and would announce only the window's activation.
    listeners_.emplace_back(Window(), "blur", [this](val) { away_ = true; }, report);
    listeners_.emplace_back(Window(), "focus", [this](val) {
        away_ = false;
        showOnReturn_.Request();
    }, report);
}

bool MessageBox::Open() const { return dialog_["open"].as<bool>(); }

void MessageBox::Show(const std::string& message)
{
    waiting_.push_back(message);
    if (!Open()) ShowNext();
}

void MessageBox::ShowNext()
{
    if (waiting_.empty() || away_ || !Document().call<bool>("hasFocus")) return;
    returnFocus_ = Document()["activeElement"];
    text_.set("textContent", val(waiting_.front()));
    waiting_.pop_front();
    dialog_.call<void>("showModal");
}

void MessageBox::Dismissed()
{
    if (!returnFocus_.isNull() && !returnFocus_.isUndefined() && returnFocus_["isConnected"].as<bool>())
        returnFocus_.call<void>("focus");
    ShowNext();
}

}  // namespace sorvane::web
