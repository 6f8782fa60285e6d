#include "SignInSite.h"

namespace kelpa::e2e {

TSignInSite::TSignInSite()
    : FServer(std::make_unique<TLoopbackServer>([this](const THttpRequest& r) { return Answer(r); })) {}

THttpResponse TSignInSite::Answer(const THttpRequest& request) {
  const bool session = request.Cookie.find(kSessionCookie) != std::string::npos;
  if (request.Path == "/dashboard") {
    if (!session) return Redirect(FServer->Url(SignInPath()));
    return Html(HtmlPage("Operations dashboard"));
  }
  if (request.Path.starts_with("/LOGIN")) {
    // No Expires: a session cookie, which the saver must keep between runs all the same.
    if (FSignedIn)
      return Redirect(Dashboard(), {"Set-Cookie: " + std::string(kSessionCookie) + "; Path=/"});
    return Html(HtmlPage("Sign in", "<meta http-equiv=\"refresh\" content=\"1;url=" + FServer->Url(SignInPath()) + "\">"));
  }
  if (request.Path == "/status") return Html(HtmlPage("Status board"));
  return Html(HtmlPage("Not found"), 404);
}

int TSignInSite::DashboardsServed(bool withSession) const {
  int count = 0;
  for (const THttpRequest& r : FServer->Requests())
    if (r.Path == "/dashboard" && (r.Cookie.find(kSessionCookie) != std::string::npos) == withSession) ++count;
  return count;
}

}  // namespace kelpa::e2e
