#include "startup/mount_points.h"

#include <gtest/gtest.h>

namespace {

TEST(MountPoints, KeepsThePlacesAPersonPicksFrom)
{
    const QByteArray table = "overlay / overlay rw,relatime,lowerdir=/l,upperdir=/u 0 0\n"
                             "proc /proc proc rw,nosuid 0 0\n"
                             "/dev/sda2 /home ext4 rw 0 0\n"
                             "/dev/sdb1 /media/anna/USB\\040STICK vfat rw 0 0\n"
                             "/dev/sdc1 /run/media/bob/Backup ext4 rw 0 0\n"
                             "server:/oe /mnt/oe nfs4 rw 0 0\n"
                             "tmpfs /mnt/scratch tmpfs rw 0 0\n"
                             "/dev/sda2 /home ext4 rw 0 0\n"
                             "/dev/sdd1 /homework ext4 rw 0 0\n"
                             "broken line\n";
    EXPECT_EQ(pickableMountPoints(table), (QStringList{"/", "/home", "/media/anna/USB STICK",
                                                       "/run/media/bob/Backup", "/mnt/oe"}));
    // Without the root in the table it still comes first.
    EXPECT_EQ(pickableMountPoints("/dev/sda2 /home ext4 rw 0 0\n"), (QStringList{"/", "/home"}));
}

TEST(MountPoints, TheDriveOfAPathIsTheLongestMountHoldingIt)
{
    const QStringList mounts{"/", "/home", "/mnt/oe"};
    const std::pair<const char*, const char*> cases[] = {
        {"/home/anna/data", "/home"}, {"/home", "/home"},   {"/homework/x", "/"},
        {"/mnt/oe/Data", "/mnt/oe"},  {"/mnt/oeData", "/"}, {"E:\\OE\\Data", ""},
        {"relative/path", ""}};
    for (const auto& [path, mount] : cases)
        EXPECT_EQ(mountPointOf(path, mounts), mount) << path;
}

} // namespace
