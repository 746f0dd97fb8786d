#pragma once

// The folder browser dialog arrives with the folder scan.
