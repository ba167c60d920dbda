#include "app/admin_check.h"

#include <windows.h>

#include "app/installer_config.h"
#include "base/unique_handle.h"
#include "i18n/error_box.h"
#include "i18n/translation_catalog.h"

namespace kavadesk {
namespace {

std::optional<bool> g_membershipForTesting;

struct SidTraits {
  using Handle = PSID;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle h) noexcept { ::FreeSid(h); }
};
using UniqueSid = UniqueAny<SidTraits>;

}  // namespace

bool CheckAdminRights() {
  SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
  UniqueSid administrators;
  if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                  0, 0, administrators.Receive())) {
    return true;
  }
  BOOL member = FALSE;
  bool isMember = ::CheckTokenMembership(nullptr, administrators.Get(), &member) && member;
  if (g_membershipForTesting) isMember = *g_membershipForTesting;
  if (!isMember) {
    ShowErrorBox(Catalog().FormatText(L"admin_installer", {ProductName()}), L"admin_title");
  }
  return isMember;
}

void SetAdministratorsMembershipForTesting(std::optional<bool> member) { g_membershipForTesting = member; }

}  // namespace kavadesk
