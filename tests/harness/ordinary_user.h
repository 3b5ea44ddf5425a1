#pragma once
// File permissions only hold for an ordinary user: the superuser opens and
// writes anything. A test of an unreadable file or a read-only directory runs
// its part as the unprivileged "nobody" when started as the superuser, and
// is itself again afterwards.
#include <unistd.h>

namespace tvz::testing {

class AsOrdinaryUser {
 public:
  AsOrdinaryUser() : wasSuperuser_(::geteuid() == 0) {
    if (wasSuperuser_) ok_ = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
  }
  ~AsOrdinaryUser() {
    if (wasSuperuser_) {
      [[maybe_unused]] int uid = ::seteuid(0);
      [[maybe_unused]] int gid = ::setegid(0);
    }
  }
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

  // False when the superuser could not become nobody (the test is then moot).
  bool ok() const { return ok_; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool wasSuperuser_;
  bool ok_ = true;
};

}  // namespace tvz::testing
