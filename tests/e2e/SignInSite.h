#pragma once
// A dashboard behind a sign-in, served on this machine: the dashboard sends a
// visitor without a session cookie to a sign-in page, which checks every second
// whether the operator has signed in; once the test says so, it sets a session
// cookie and moves on to the dashboard.

#include "loopback_server.h"

#include <atomic>
#include <memory>

namespace kelpa::e2e {

class TSignInSite {
 public:
  TSignInSite();

  std::string Dashboard() const { return FServer->Url("/dashboard"); }
  std::string StatusBoard() const { return FServer->Url("/status"); }
  std::string SignInPath() const { return "/LOGIN?next=dashboard"; }
  // The operator completes the sign-in.
  void SignIn() { FSignedIn = true; }
  // The next sign-in waits for the operator again.
  void SignOut() { FSignedIn = false; }
  // The dashboard requests so far that carried the session cookie, and those that did not.
  int DashboardsServed(bool withSession) const;
  const kelpa::test::TLoopbackServer& Server() const { return *FServer; }

  static constexpr const char* kSessionCookie = "session=kelpa-7f3a";

 private:
  kelpa::test::TServerReply Answer(const kelpa::test::TServedRequest& request);

  std::atomic<bool> FSignedIn{false};
  std::unique_ptr<kelpa::test::TLoopbackServer> FServer;
};

}  // namespace kelpa::e2e
