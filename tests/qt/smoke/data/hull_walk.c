int hull_walk_count;
float hull_walk_verts[24];
int hull_walk_types[8];
int hull_walk_graph[9];

void hull_walk_init()
{
        hull_walk_count = 8;

        hull_walk_verts[0] = 0;
        hull_walk_verts[1] = 0;
        hull_walk_verts[2] = 0;
        hull_walk_verts[3] = 0;
        hull_walk_verts[4] = 1;
        hull_walk_verts[5] = 2;
        hull_walk_verts[6] = 1;
        hull_walk_verts[7] = 1;
        hull_walk_verts[8] = 4;
        hull_walk_verts[9] = 1;
        hull_walk_verts[10] = 0;
        hull_walk_verts[11] = 6;
        hull_walk_verts[12] = 0;
        hull_walk_verts[13] = 0.5;
        hull_walk_verts[14] = 8;
        hull_walk_verts[15] = -1;
        hull_walk_verts[16] = 0.5;
        hull_walk_verts[17] = 6;
        hull_walk_verts[18] = -1;
        hull_walk_verts[19] = 1;
        hull_walk_verts[20] = 3;
        hull_walk_verts[21] = 2;
        hull_walk_verts[22] = 2;
        hull_walk_verts[23] = 9;

        hull_walk_types[0] = 1;
        hull_walk_types[1] = 1;
        hull_walk_types[2] = 7;
        hull_walk_types[3] = 7;
        hull_walk_types[4] = 10;
        hull_walk_types[5] = 10;
        hull_walk_types[6] = 1;
        hull_walk_types[7] = 7;

        hull_walk_graph[0] = (0)*256 + (1);
        hull_walk_graph[1] = (1)*256 + (2);
        hull_walk_graph[2] = (2)*256 + (3);
        hull_walk_graph[3] = (3)*256 + (4);
        hull_walk_graph[4] = (4)*256 + (5);
        hull_walk_graph[5] = (5)*256 + (6);
        hull_walk_graph[6] = (6)*256 + (0);
        hull_walk_graph[7] = (2)*256 + (2);
        hull_walk_graph[8] = (3)*256 + (4);
}
