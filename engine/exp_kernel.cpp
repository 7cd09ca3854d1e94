#include "engine/exp_kernel.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/extended_bits.h"

namespace {

// 2^(j/64) = Hi + Lo, from tools/gen_exp_table.py. Lo and the constants below that do not reach
// the result's last bits are doubles, which the processor loads several times as fast as long
// doubles.
struct TPair {
  Extended Hi;
  double Lo;
};
constexpr TPair PowersOfTwo[64] = {
    {0x8000000000000000p-63L, 0.0},
    {0x8164d1f3bc030773p-63L, 0x1ef95949ef4538p-117},
    {0x82cd8698ac2ba1d7p-63L, 0x1f1523ada32906p-118},
    {0x843a28c3acde4046p-63L, 0x1af92eca13fd16p-119},
    {0x85aac367cc487b15p-63L, -0x1d1b5239ef559fp-118},
    {0x871f61969e8d1010p-63L, 0x1d0b93e2bda955p-118},
    {0x88980e8092da8527p-63L, 0x177e35db26319dp-117},
    {0x8a14d575496efd9ap-63L, 0x101943b2586d02p-120},
    {0x8b95c1e3ea8bd6e7p-63L, -0x106e75e29d6b0ep-121},
    {0x8d1adf5b7e5ba9e6p-63L, -0x12ce12da5c6f95p-117},
    {0x8ea4398b45cd53c0p-63L, 0x16e00a2643c1eap-118},
    {0x9031dc431466b1dcp-63L, 0x1dd6052a1253a2p-117},
    {0x91c3d373ab11c336p-63L, 0x1fadb1c15cb594p-120},
    {0x935a2b2f13e6e92cp-63L, -0x166335f8b136d9p-118},
    {0x94f4efa8fef70961p-63L, 0x17457d6892a8efp-118},
    {0x96942d3720185a00p-63L, 0x123aa6da0ea709p-117},
    {0x9837f0518db8a96fp-63L, 0x11ab48c60b90bep-117},
    {0x99e0459320b7fa65p-63L, -0x1bcf7934cb4a03p-119},
    {0x9b8d39b9d54e5539p-63L, -0x1755fa17570cf0p-117},
    {0x9d3ed9a72cffb751p-63L, -0x10db5987d78b32p-118},
    {0x9ef5326091a111aep-63L, -0x17dbb83d851181p-117},
    {0xa0b0510fb9714fc2p-63L, 0x192dc79edb0fdap-119},
    {0xa27043030c496819p-63L, -0x19217ec41fcc08p-117},
    {0xa43515ae09e6809ep-63L, 0x1a3b69062f03c4p-120},
    {0xa5fed6a9b15138eap-63L, 0x1cbd7f62171070p-119},
    {0xa7cd93b4e965356ap-63L, -0x184e92cabf1823p-117},
    {0xa9a15ab4ea7c0ef8p-63L, 0x1507893b0d4c7fp-117},
    {0xab7a39b5a93ed337p-63L, 0x196008ec9d6780p-117},
    {0xad583eea42a14ac6p-63L, 0x12602a323d668cp-117},
    {0xaf3b78ad690a4375p-63L, -0x106cf7f19a2658p-118},
    {0xb123f581d2ac2590p-63L, -0x1e0bf205a4b7a9p-117},
    {0xb311c412a9112489p-63L, 0x1f678a6e3cc529p-118},
    {0xb504f333f9de6484p-63L, 0x165f626cdd52b0p-117},
    {0xb6fd91e328d17791p-63L, 0x1c597c37755069p-121},
    {0xb8fbaf4762fb9ee9p-63L, 0x1b879778566b66p-119},
    {0xbaff5ab2133e45fbp-63L, 0x1d3546749164e1p-117},
    {0xbd08a39f580c36bfp-63L, -0x15dfb81264bc14p-117},
    {0xbf1799b67a731083p-63L, -0x17ea2f54340f48p-119},
    {0xc12c4cca66709456p-63L, 0x1f115f56694022p-117},
    {0xc346ccda24976407p-63L, 0x107642b0945c1dp-118},
    {0xc5672a115506daddp-63L, 0x1f156864b26ed0p-118},
    {0xc78d74c8abb9b15dp-63L, -0x1f62e8e3449fecp-118},
    {0xc9b9bd866e2f27a3p-63L, -0x1fc781b57ebba6p-117},
    {0xcbec14fef2727c5dp-63L, -0x16df06e1742812p-120},
    {0xce248c151f8480e4p-63L, -0x1dca7c706a0d39p-119},
    {0xd06333daef2b2595p-63L, -0x1495d1cd532d95p-118},
    {0xd2a81d91f12ae45ap-63L, 0x12248e57c3de40p-119},
    {0xd4f35aabcfedfa1fp-63L, 0x164877bfe9898bp-117},
    {0xd744fccad69d6af4p-63L, 0x1cd345dcc816a0p-118},
    {0xd99d15c278afd7b6p-63L, -0x178c2135c1ed45p-123},
    {0xdbfbb797daf23755p-63L, 0x1ec206ad4f14d5p-118},
    {0xde60f4825e0e9124p-63L, -0x117c2e930bdcccp-118},
    {0xe0ccdeec2a94e111p-63L, 0x19625412374ccfp-121},
    {0xe33f8972be8a5a51p-63L, 0x137fd20f2b301ep-120},
    {0xe5b906e77c8348a8p-63L, 0x1e5e8f4a4edbb1p-119},
    {0xe8396a503c4bdc68p-63L, 0x1e45e4342b1c32p-117},
    {0xeac0c6e7dd24392fp-63L, -0x17e9452647c8d6p-118},
    {0xed4f301ed9942b84p-63L, 0x18034b6da992ffp-117},
    {0xefe4b99bdcdaf5cbp-63L, 0x1195873da5236ep-117},
    {0xf281773c59ffb13ap-63L, -0x1767f563370b86p-119},
    {0xf5257d152486cc2cp-63L, 0x1ee7431ebb6604p-117},
    {0xf7d0df730ad13bb9p-63L, -0x16f2b6929f0491p-123},
    {0xfa83b2db722a033ap-63L, 0x1f096ec50c5760p-117},
    {0xfd3e0c0cf486c175p-63L, -0x1eb03169b387c4p-117},
};

constexpr double InvLn2By64 = 0x171547652b82fep-46;
// ln 2 / 64 in two parts; Hi has 44 bits, so k Hi is exact for every k the range allows.
constexpr double Ln2By64Hi = 0xb17217f7d1cp-50;
constexpr double Ln2By64Lo = 0x1ef35793c76730p-103;
}  // namespace

Extended KernelExp(const Extended& x) {
  if (!(std::fabs(x) > 0x1p-66L)) return 1 + x;  // also NaN
  if (std::fabs(x) > 12000) return x > 0 ? std::numeric_limits<Extended>::infinity() : 0;
  // x = k ln2/64 + r with |r| <= ln2/128 (a little more where the rounding of k is off by one).
  Extended kf = 0;
  const std::int64_t k = NearestWhole(x * InvLn2By64, kf);
  const Extended r = (x - kf * Ln2By64Hi) - kf * Ln2By64Lo;
  // e^r - 1 to its seventh power, whose first omitted term is below 2^-75 of the result; Estrin's
  // grouping keeps the chain of dependent operations short.
  const Extended r2 = r * r;
  const Extended r4 = r2 * r2;
  const Extended a = 0.5 + r * (1.0 / 6);
  const Extended b = 1.0 / 24 + r * (1.0 / 120);
  const Extended c = 1.0 / 720 + r * (1.0 / 5040);
  const Extended p = r + r2 * ((a + r2 * b) + r4 * c);
  const TPair& t = PowersOfTwo[k & 63];
  const Extended v = t.Hi + (t.Lo + t.Hi * p);
  const auto m = static_cast<int>(k >> 6);  // floor division: k is two's complement
  if (m > -16382 && m < 16383) return v * PowerOfTwo(m);
  return std::ldexp(v, m);
}
