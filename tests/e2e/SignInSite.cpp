#include "SignInSite.h"

namespace kelpa::e2e {

using namespace kelpa::test;

TSignInSite::TSignInSite()
    : FServer(
          std::make_unique<TLoopbackServer>([this](const TServedRequest& r) { return Answer(r); }, kUnboundedServer)) {}

TServerReply TSignInSite::Answer(const TServedRequest& request) {
  const bool session = request.Header("Cookie").find(kSessionCookie) != std::string::npos;
  if (request.target == "/dashboard") {
    if (!session) return TServerReply::Redirect(302, FServer->Url(SignInPath()));
    return TServerReply::Html(200, HtmlPage("Operations dashboard"));
  }
  if (request.target.starts_with("/LOGIN")) {
    // No Expires: a session cookie, which the saver must keep between runs all the same.
    if (FSignedIn)
      return TServerReply::Redirect(302, Dashboard(), "Set-Cookie: " + std::string(kSessionCookie) + "; Path=/\r\n");
    return TServerReply::Html(
        200, HtmlPage("Sign in", "<meta http-equiv=\"refresh\" content=\"1;url=" + FServer->Url(SignInPath()) + "\">"));
  }
  if (request.target == "/status") return TServerReply::Html(200, HtmlPage("Status board"));
  return TServerReply::Html(404, HtmlPage("Not found"));
}

int TSignInSite::DashboardsServed(bool withSession) const {
  int count = 0;
  for (const TServedRequest& r : FServer->Requests())
    if (r.target == "/dashboard" && (r.Header("Cookie").find(kSessionCookie) != std::string::npos) == withSession)
      ++count;
  return count;
}

}  // namespace kelpa::e2e
