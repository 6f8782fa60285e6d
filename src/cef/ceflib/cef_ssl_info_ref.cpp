// TCefSslCertPrincipalRef and TCefSslInfoRef over cef_sslcert_principal_t and cef_sslinfo_t,
// one line per member.

#include "ceflib/cef_ref_of.h"
#include "ceflib/cef_ssl_info.h"
#include "ceflib/cef_values.h"

namespace ceflib {
namespace {

using P = cef_sslcert_principal_t;

class TCefSslCertPrincipalRef final : public TCefRefOf<TCefSslCertPrincipalRef, ICefSslCertPrincipal, P> {
 public:
  using TCefRefOf::TCefRefOf;
  ustring GetDisplayName() override { return Call(&P::get_display_name); }
  ustring GetCommonName() override { return Call(&P::get_common_name); }
  ustring GetLocalityName() override { return Call(&P::get_locality_name); }
  ustring GetStateOrProvinceName() override { return Call(&P::get_state_or_province_name); }
  ustring GetCountryName() override { return Call(&P::get_country_name); }
  void GetStreetAddresses(ustringlist& addresses) override { Call(&P::get_street_addresses, addresses); }
  void GetOrganizationNames(ustringlist& names) override { Call(&P::get_organization_names, names); }
  void GetOrganizationUnitNames(ustringlist& names) override { Call(&P::get_organization_unit_names, names); }
  void GetDomainComponents(ustringlist& components) override { Call(&P::get_domain_components, components); }
};

using S = cef_sslinfo_t;

class TCefSslInfoRef final : public TCefRefOf<TCefSslInfoRef, ICefSslInfo, S> {
 public:
  using TCefRefOf::TCefRefOf;
  RefPtr<ICefSslCertPrincipal> GetSubject() override { return Call(&S::get_subject); }
  RefPtr<ICefSslCertPrincipal> GetIssuer() override { return Call(&S::get_issuer); }
  RefPtr<ICefBinaryValue> GetSerialNumber() override { return Call(&S::get_serial_number); }
  cef_time_t GetValidStart() override { return Call(&S::get_valid_start); }
  cef_time_t GetValidExpiry() override { return Call(&S::get_valid_expiry); }
  RefPtr<ICefBinaryValue> GetDerencoded() override { return Call(&S::get_derencoded); }
  RefPtr<ICefBinaryValue> GetPemencoded() override { return Call(&S::get_pemencoded); }
};

}  // namespace

RefPtr<ICefSslCertPrincipal> ICefSslCertPrincipal::UnWrap(void* data) { return TCefSslCertPrincipalRef::UnWrap(data); }

RefPtr<ICefSslInfo> ICefSslInfo::UnWrap(void* data) { return TCefSslInfoRef::UnWrap(data); }

}  // namespace ceflib
