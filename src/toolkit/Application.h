#pragma once
// The application object: its forms, its message loop and its default
// handling of exceptions. The program has exactly one, `Application`.

#include "toolkit/Form.h"
#include "toolkit/GuiHandles.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TApplication {
 public:
  // Sees every message the loop retrieves before it is dispatched; setting
  // handled to true stops the message there.
  using TMessageEvent = std::function<void(MSG& message, bool& handled)>;
  using TExceptionEvent = std::function<void(const std::wstring& message)>;

  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;
  ~TApplication();

  // Prepares the common controls and the application's hidden window.
  void Initialize();

  // The caption of the program's message boxes; the program file's name when empty.
  std::wstring Title() const;
  void SetTitle(const std::wstring& title);

  // When false, the main form is owned by the application's hidden window and
  // so gets no task-bar entry of its own. Takes effect for forms created later.
  bool MainFormOnTaskBar() const noexcept { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool onTaskBar) { FMainFormOnTaskBar = onTaskBar; }

  // Whether Run shows the main form before it starts the loop.
  bool ShowMainForm() const noexcept { return FShowMainForm; }
  void SetShowMainForm(bool show) { FShowMainForm = show; }

  HWND Handle() const noexcept { return FHandle.get(); }

  // The first form created; closing it terminates the application.
  TForm* MainForm() const noexcept { return FMainForm; }

  // Makes a form of class F, hidden, stores it in `reference` (so FormCreate
  // can already reach it through there) and runs its FormCreate. The reference
  // is cleared when the form is destroyed, so it must outlive the form: a
  // global, as the program's windows are. An exception out of FormCreate goes
  // to the default exception handling like any other handler's, and the form
  // stays.
  template <class F>
  F& CreateForm(F*& reference) {
    auto form = std::make_unique<F>();
    F& result = *form;
    reference = &result;
    AdoptForm(std::move(form), [&reference] { reference = nullptr; });
    try {
      result.DoCreate();
    } catch (...) {
      HandleException();
    }
    return result;
  }

  // Destroys every form, the last created first, and clears their references.
  void DestroyForms();

  // Runs the message loop until Terminate, which ends it after the message
  // being handled; a Terminate before Run ends the next Run at once. The
  // request is used up when Run returns.
  void Run();
  void Terminate();
  bool Terminated() const noexcept { return FTerminated; }
  // Handles the messages waiting in the queue, then returns.
  void ProcessMessages();

  TMessageEvent OnMessage;
  // Replaces the message box of the default exception handling.
  TExceptionEvent OnException;

  // The default exception handling: call inside a catch block. Shows the
  // exception's message in a message box; the program goes on.
  void HandleException() noexcept;
  void ShowException(const std::wstring& message) noexcept;

 private:
  struct TFormEntry {
    std::unique_ptr<TForm> Form;
    std::function<void()> ClearReference;
  };
  void AdoptForm(std::unique_ptr<TForm> form, std::function<void()> clearReference);
  void ProcessMessage(MSG& message);
  bool IsDialogKeyMessage(MSG& message);

  std::wstring FTitle;
  bool FMainFormOnTaskBar = true;
  bool FShowMainForm = true;
  bool FTerminated = false;
  TWindowHandle FHandle;
  TForm* FMainForm = nullptr;
  std::vector<TFormEntry> FForms;
};

extern TApplication Application;
