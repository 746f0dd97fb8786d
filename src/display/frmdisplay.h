#pragma once

// The display window arrives with the shows.
