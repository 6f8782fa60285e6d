#include "private_folder.h"

#include "wine_host.h"

#include <aclapi.h>
#include <sddl.h>

#include <vector>

namespace standin::engine {

namespace {

std::wstring UserSid() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<char> buffer(size);
  std::wstring text;
  wchar_t* sid = nullptr;
  if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
    text = sid;
    LocalFree(sid);
  }
  CloseHandle(token);
  return text;
}

}  // namespace

SECURITY_ATTRIBUTES* PrivateAttributes() {
  // Built once and kept for the process: the user does not change.
  static SECURITY_ATTRIBUTES* attributes = [] {
    std::wstring sid = UserSid();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    // Protected: nothing is inherited from the folder above.
    std::wstring sddl = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;" + sid + L")";
    if (sid.empty() ||
        !ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
      return static_cast<SECURITY_ATTRIBUTES*>(nullptr);
    return new SECURITY_ATTRIBUTES{sizeof(SECURITY_ATTRIBUTES), descriptor, FALSE};
  }();
  return attributes;
}

bool CreateNewPrivateFolder(const std::wstring& folder) {
  return PrivateAttributes() && CreateDirectoryW(folder.c_str(), PrivateAttributes());
}

bool EnsurePrivateFolder(const std::wstring& folder) {
  for (size_t at = folder.find_first_of(L"\\/", 3); at != std::wstring::npos; at = folder.find_first_of(L"\\/", at + 1))
    CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
  if (CreateNewPrivateFolder(folder)) return true;
  DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  if (UnderWine() || !PrivateAttributes()) return true;
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(PrivateAttributes()->lpSecurityDescriptor, &present, &dacl, &defaulted);
  return SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                               DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                               nullptr) == ERROR_SUCCESS;
}

}  // namespace standin::engine
