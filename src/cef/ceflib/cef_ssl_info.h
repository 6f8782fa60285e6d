#pragma once
// The certificate family (cef_sslinfo_t, cef_sslcert_principal_t): runtime objects reached
// through their wrappers. Validity times stay the runtime's UTC records.

#include <cef_capi.h>

#include "ceflib/cef_base.h"
#include "ceflib/cef_forward.h"
#include "ceflib/cef_types.h"

namespace ceflib {

class ICefSslCertPrincipal : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefSslCertPrincipal> UnWrap(void* data);

  virtual ustring GetDisplayName() = 0;
  virtual ustring GetCommonName() = 0;
  virtual ustring GetLocalityName() = 0;
  virtual ustring GetStateOrProvinceName() = 0;
  virtual ustring GetCountryName() = 0;
  // Each appends to the given list.
  virtual void GetStreetAddresses(ustringlist& addresses) = 0;
  virtual void GetOrganizationNames(ustringlist& names) = 0;
  virtual void GetOrganizationUnitNames(ustringlist& names) = 0;
  virtual void GetDomainComponents(ustringlist& components) = 0;
};

class ICefSslInfo : public virtual ICefBase {
 public:
  // Null gives nil; otherwise a wrapper adopting the reference that came with data.
  static RefPtr<ICefSslInfo> UnWrap(void* data);

  virtual RefPtr<ICefSslCertPrincipal> GetSubject() = 0;
  virtual RefPtr<ICefSslCertPrincipal> GetIssuer() = 0;
  virtual RefPtr<ICefBinaryValue> GetSerialNumber() = 0;
  virtual cef_time_t GetValidStart() = 0;
  virtual cef_time_t GetValidExpiry() = 0;
  virtual RefPtr<ICefBinaryValue> GetDerencoded() = 0;
  virtual RefPtr<ICefBinaryValue> GetPemencoded() = 0;
};

}  // namespace ceflib
