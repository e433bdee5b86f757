// Two processes of this machine talking through the channel: by multicast on
// the loopback interface, and by subnet broadcast between two network
// namespaces joined by a veth pair.
#include "process_helpers.h"

#include <fcntl.h>
#include <sched.h>

namespace {

using namespace nettest;

TEST(NetProcesses, TwoProcessesExchangeTypedMessagesByMulticast) {
    REQUIRE_LOOPBACK_HOST();
    std::string group = test_group();
    int port = test_port();
    Child a([&] { return exchange(group, port, "from a", "from b"); });
    Child b([&] { return exchange(group, port, "from b", "from a"); });
    EXPECT_EQ(a.wait(), kExchanged);
    EXPECT_EQ(b.wait(), kExchanged);
}

// Two namespaces, each with one end of a veth pair on one subnet. Made with
// the ip tool and removed again; unavailable without the right to.
class Namespaces {
  public:
    Namespaces() {
        std::string id = std::to_string(getpid());
        subnet_ = "192.168." + std::to_string(getpid() % 250 + 1) + ".";
        names_[0] = "orvna" + id;
        names_[1] = "orvnb" + id;
        std::string links[2] = {"orvva" + id, "orvvb" + id};
        ok_ = run("ip netns add " + names_[0]) && run("ip netns add " + names_[1]) &&
              run("ip link add " + links[0] + " netns " + names_[0] + " type veth peer name " +
                  links[1] + " netns " + names_[1]);
        for (int i = 0; ok_ && i < 2; ++i)
            ok_ = run("ip -n " + names_[i] + " addr add " + address(i) + "/24 dev " + links[i]) &&
                  run("ip -n " + names_[i] + " link set " + links[i] + " up") &&
                  run("ip -n " + names_[i] + " link set lo up");
    }
    ~Namespaces() {
        for (const std::string &name : names_)
            run("ip netns del " + name);
    }
    bool ok() const { return ok_; }
    std::string address(int i) const { return subnet_ + std::to_string(i + 1); }
    std::string broadcast() const { return subnet_ + "255"; }
    // Moves the calling process into namespace i under a host name that
    // resolves to its veth address, as a host on that subnet would have.
    bool enter(int i) const {
        int fd = open(("/run/netns/" + names_[i]).c_str(), O_RDONLY);
        bool entered = fd >= 0 && setns(fd, CLONE_NEWNET) == 0 && unshare(CLONE_NEWUTS) == 0;
        if (fd >= 0) close(fd);
        std::string host = address(i);
        return entered && sethostname(host.c_str(), host.size()) == 0;
    }

  private:
    static bool run(const std::string &command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    std::string names_[2];
    std::string subnet_;
    bool ok_ = false;
};

TEST(NetProcesses, TwoNamespacesExchangeTypedMessagesByBroadcast) {
    if (geteuid() != 0)
        GTEST_SKIP() << "creating network namespaces and a veth pair needs root (CAP_NET_ADMIN "
                        "and CAP_SYS_ADMIN); this test runs without them";
    if (std::system("ip -V >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "the ip tool (iproute2) is not installed";
    Namespaces ns;
    if (!ns.ok())
        GTEST_SKIP() << "this machine refused to create network namespaces or a veth pair";
    int port = test_port();
    std::string group = ns.broadcast();
    auto side = [&](int i, const char *me, const char *peer) {
        return ns.enter(i) ? exchange(group, port, me, peer) : kOpenFailed + 100;
    };
    Child a([&] { return side(0, "from a", "from b"); });
    Child b([&] { return side(1, "from b", "from a"); });
    EXPECT_EQ(a.wait(), kExchanged);
    EXPECT_EQ(b.wait(), kExchanged);
}

} // namespace
