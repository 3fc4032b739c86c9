#pragma once

// Peak resident memory of this process so far, in KiB (VmHWM). After exec it covers only the new
// program, unlike ru_maxrss, which also counts the pages a forked child shared with its parent.
long peakResidentKiB();
// Resident memory of this process now, in KiB (VmRSS).
long residentKiB();
