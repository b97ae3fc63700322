#include "platform/posix/SgioReadCdRequest.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/CdDrive.h"

namespace zarnel {
namespace {

TEST(SgioReadCdRequestTest, FillsAReadCdOfCddaSectorsIntoTheBuffer) {
  SgioReadCdRequest request;
  std::vector<uint8_t> buffer(27 * kCdSectorBytes);
  request.prepare(0x00A1B2C3, 27, buffer.data());
  const sg_io_hdr_t& io = request.header();
  EXPECT_EQ(io.interface_id, 'S');
  EXPECT_EQ(io.dxfer_direction, SG_DXFER_FROM_DEV);
  EXPECT_EQ(io.dxferp, buffer.data());
  EXPECT_EQ(io.dxfer_len, 63504u);
  EXPECT_EQ(io.timeout, 5000u);
  EXPECT_NE(io.sbp, nullptr);
  EXPECT_GE(io.mx_sb_len, 18);  // room for fixed-format sense data
  ASSERT_EQ(io.cmd_len, 12);
  ASSERT_EQ(io.cmdp, request.command());
  const std::vector<uint8_t> expected = {0xBE, 0x04, 0x00, 0xA1, 0xB2, 0xC3,
                                         0x00, 0x00, 27,   0x10, 0x00, 0x00};
  EXPECT_EQ(std::vector<uint8_t>(io.cmdp, io.cmdp + 12), expected);
}

TEST(SgioReadCdRequestTest, SucceedsOnlyWhenEveryLayerReportsSuccess) {
  SgioReadCdRequest request;
  std::vector<uint8_t> buffer(kCdSectorBytes);
  auto failsWith = [&](auto spoil) {
    request.prepare(16, 1, buffer.data());
    spoil(request.header());
    return !request.succeeded();
  };
  EXPECT_FALSE(failsWith([](sg_io_hdr_t&) {}));
  EXPECT_TRUE(failsWith([](sg_io_hdr_t& io) { io.info = SG_INFO_CHECK; }));
  EXPECT_TRUE(failsWith([](sg_io_hdr_t& io) { io.status = 0x02; }));  // CHECK CONDITION
  EXPECT_TRUE(failsWith([](sg_io_hdr_t& io) { io.host_status = 0x03; }));  // time-out
  EXPECT_TRUE(failsWith([](sg_io_hdr_t& io) { io.driver_status = 0x08; }));
  EXPECT_TRUE(failsWith([](sg_io_hdr_t& io) { io.resid = 2352; }));  // nothing arrived
}

}  // namespace
}  // namespace zarnel
