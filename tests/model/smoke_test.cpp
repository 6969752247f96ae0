#include "model/clsipaddy.h"
#include "testsupport.h"

class ModelSmoke : public FrameworkTest {};

TEST_F(ModelSmoke, InitialAddressIsClassCPrivate)
{
    clsIPAddy ip;
    EXPECT_EQ(ip.IP_AsBinary(0), QStringLiteral("11000000101010000000000100000001"));
    EXPECT_EQ(ip.SubnetMask(0), QStringLiteral("255.255.255.0"));
    EXPECT_EQ(ip.ClassName(), QStringLiteral("C"));
    EXPECT_TRUE(ip.IsPrivateAddress());
    EXPECT_EQ(handler->StackDepth(), 0);
}
